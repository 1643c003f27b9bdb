#pragma once

#include "settings/shared_state.h"

#include <QString>
#include <optional>

// The seven-character "Config" string and the " n" form of "SettingNo", as the
// settings file keeps them.
namespace StoredOptions {

inline constexpr auto DefaultConfig = "1111000";
inline constexpr auto DefaultSettingNo = "0";

enum class LineWidth { Eight, Ten };

struct Options {
    std::optional<LineWidth> width; // empty: leave the current width as it is
    bool copyMsgShow = true;
    bool clearMsgShow = true;
    bool overMsgShow = true;
    bool sendMode = false;
    qint16 useAtesaki = 0;
    qint16 useKenmei = 0;
};

Options parseConfig(QStringView config);

// Puts the options kept in SharedState there (the width belongs to the main
// window).
void apply(const Options &options, SharedState &state);
QString formatConfig(LineWidth width, const SharedState &state);

// Reads the leading number of the stored text the lenient way the file has
// always been read (blanks ignored, fractions rounded half to even); a value
// that is not one of the three slots reads as slot 0.
qint16 parseSettingNo(QStringView stored);
QString formatSettingNo(qint16 settingNo);

} // namespace StoredOptions
