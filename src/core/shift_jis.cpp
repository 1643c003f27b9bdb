#include "core/shift_jis.h"

#include "core/cp932_converter.h"

#include <QChar>
#include <array>

namespace {

// What code page 932 makes of one UTF-16 unit: the number of bytes encode()
// writes for it (1 for the '?' of a unit without a form) and the rows those
// bytes lie in (a ShiftJis::Form). Written at build time from the converter
// itself (shift_jis_table_generator), so that the count and the marks agree
// with encode() for every character at the cost of one look-up a unit, and
// nothing is built at start.
struct UnitForm {
    unsigned char bytes;
    unsigned char form;
};

using UnitTable = std::array<UnitForm, 0x10000>;

constexpr UnitTable UnitForms = {{
#include "shift_jis_table.inc"
}};

// The same, with "\n" counted as the two bytes of the CR LF it is written
// as, which spares the message count a test per unit.
constexpr UnitTable CrLfUnitForms = [] {
    UnitTable table = UnitForms;
    table[u'\n'].bytes = 2;
    return table;
}();

// The forms alone, so that marking walks a plain array.
constexpr std::array<ShiftJis::Form, 0x10000> Forms = [] {
    std::array<ShiftJis::Form, 0x10000> forms{};
    for (std::size_t unit = 0; unit < forms.size(); ++unit)
        forms[unit] = static_cast<ShiftJis::Form>(UnitForms[unit].form);
    return forms;
}();

} // namespace

namespace ShiftJis {

QByteArray encode(QStringView text)
{
    Cp932Converter converter;
    QByteArray out;
    out.reserve(text.size() * 2);
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const bool pair = QChar::isHighSurrogate(units[i]) && i + 1 < size
                          && QChar::isLowSurrogate(units[i + 1]);
        const size_t count = pair ? 2 : 1;
        if (!converter.convert(units + i, count, out))
            out.append('?');
        i += static_cast<qsizetype>(count) - 1;
    }
    return out;
}

qsizetype byteCount(QStringView text, LineBreaks lineBreaks)
{
    const UnitTable &forms = lineBreaks == LineBreaks::CrLf ? CrLfUnitForms : UnitForms;
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype total = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = units[i];
        total += forms[unit].bytes;
        // A surrogate pair is one character without a code page 932 form.
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1]))
            ++i;
    }
    return total;
}

const Form *forms()
{
    return Forms.data();
}

} // namespace ShiftJis
