// Run at build time: writes the count's and the marks' table, one entry a
// UTF-16 unit, as glibc's converter (the one encode() uses) sees each unit.
// The entries are the initialiser of shift_jis.cpp's UnitForm array, in unit
// order: {bytes, form}.
//
//   shift_jis_table_generator OUTPUT
#include "core/cp932_converter.h"
#include "core/shift_jis.h"

#include <QChar>
#include <cstdio>

namespace {

// The lead bytes of the rows outside JIS X 0208: NEC special characters
// (0x87), NEC-selected IBM extensions (0xED, 0xEE), user-defined area
// (0xF0-0xF9) and IBM extensions (0xFA-0xFC).
ShiftJis::Form formOf(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return ShiftJis::Form::Missing;
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const bool vendor = bytes.size() == 2 && (lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xF0);
    return vendor ? ShiftJis::Form::VendorExtension : ShiftJis::Form::Common;
}

// One entry, from the bytes the converter wrote for the unit (empty when it
// has no code page 932 form, which encode() writes as the one byte '?').
void writeEntry(std::FILE *out, const QByteArray &bytes)
{
    std::fprintf(out, "{%d,%d},", bytes.isEmpty() ? 1 : int(bytes.size()), int(formOf(bytes)));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    std::FILE *out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    Cp932Converter converter;
    QByteArray bytes;
    const char16_t hiraganaA = u'あ';
    if (!converter.convert(&hiraganaA, 1, bytes)) {
        std::fprintf(stderr, "%s: glibc's CP932 converter is not available\n", argv[0]);
        return 1;
    }
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto u16 = static_cast<char16_t>(unit);
        bytes.clear();
        // A surrogate alone has no form; in a pair, the count skips the low
        // half and the high half's entry stands for the whole character.
        if (!QChar::isSurrogate(unit))
            converter.convert(&u16, 1, bytes);
        writeEntry(out, bytes);
        std::fputc(unit % 16 == 15 ? '\n' : ' ', out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
