#pragma once

#include <QString>
#include <array>

// The one record of options, send slots and dialog answers that every window
// of the process reads and writes. main() owns it; windows hold a reference.
// Flags are plain bools; the two "use" values and the slot number keep the
// integer form they are stored in, since only the exact value 1 (or 0..2 for
// the slot) means anything.
struct SharedState {
    static constexpr int SlotCount = 3;

    bool CopyMsgShow = false;
    bool ClearMsgShow = false;
    bool OverMsgShow = false;
    bool SendMode = false;
    bool ClearAnswer = false;

    qint16 UseAtesaki = 0;
    qint16 UseKenmei = 0;

    std::array<QString, SlotCount> Atesaki;
    std::array<QString, SlotCount> Kenmei;
    qint16 SettingNo = 0;
};
