#include "core/shift_jis.h"

#include <QChar>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

class Cp932Converter {
public:
    Cp932Converter() : cd_(iconv_open("CP932", "UTF-16LE")) {}
    ~Cp932Converter()
    {
        if (cd_ != invalidHandle())
            iconv_close(cd_);
    }
    Cp932Converter(const Cp932Converter &) = delete;
    Cp932Converter &operator=(const Cp932Converter &) = delete;

    // Converts one character (one or two UTF-16 units); appends nothing and
    // returns false when code page 932 has no form for it.
    bool convert(const char16_t *units, size_t count, QByteArray &out)
    {
        if (cd_ == invalidHandle())
            return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::array<unsigned char, 4> in{};
        for (size_t i = 0; i < count; ++i) {
            in[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
            in[2 * i + 1] = static_cast<unsigned char>(units[i] >> 8);
        }
        char *inPtr = reinterpret_cast<char *>(in.data());
        size_t inLeft = 2 * count;
        std::array<char, 8> buffer{};
        char *outPtr = buffer.data();
        size_t outLeft = buffer.size();
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return false;
        // glibc silently drops a few invisible characters (tags, the byte
        // order mark); they have no code page 932 form either.
        const auto written = static_cast<qsizetype>(buffer.size() - outLeft);
        if (written == 0)
            return false;
        out.append(buffer.data(), written);
        return true;
    }

private:
    static iconv_t invalidHandle() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

// The lead bytes of the rows outside JIS X 0208: NEC special characters
// (0x87), NEC-selected IBM extensions (0xED, 0xEE), user-defined area
// (0xF0-0xF9) and IBM extensions (0xFA-0xFC).
ShiftJis::Form formOf(const QByteArray &bytes)
{
    if (bytes.size() < 2)
        return ShiftJis::Form::Common;
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const bool vendor = lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xF0;
    return vendor ? ShiftJis::Form::VendorExtension : ShiftJis::Form::Common;
}

// Byte length and form of every UTF-16 unit, built once from the converter
// itself so that counting and marking agree with encode() for every character
// while costing one table look-up per unit. Non-BMP characters have no code
// page 932 form. A second copy of the lengths counts "\n" as the two bytes of
// CR LF, which spares the message count a test per unit.
class UnitTable {
public:
    UnitTable()
    {
        Cp932Converter converter;
        QByteArray scratch;
        for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
            const auto u16 = static_cast<char16_t>(unit);
            scratch.clear();
            const bool mapped = !QChar::isSurrogate(unit) && converter.convert(&u16, 1, scratch);
            asIs_[unit] = mapped ? static_cast<unsigned char>(scratch.size()) : 1;
            forms_[unit] = mapped ? formOf(scratch) : ShiftJis::Form::Missing;
        }
        crLf_ = asIs_;
        crLf_[u'\n'] = 2;
    }
    const unsigned char *lengths(ShiftJis::LineBreaks breaks) const
    {
        return breaks == ShiftJis::LineBreaks::CrLf ? crLf_.data() : asIs_.data();
    }
    const ShiftJis::Form *forms() const { return forms_.data(); }

private:
    std::array<unsigned char, 0x10000> asIs_{};
    std::array<unsigned char, 0x10000> crLf_{};
    std::array<ShiftJis::Form, 0x10000> forms_{};
};

const UnitTable &unitTable()
{
    static const UnitTable table;
    return table;
}

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

void prepare()
{
    unitTable();
}

qsizetype byteCount(QStringView text, LineBreaks lineBreaks)
{
    const unsigned char *lengths = unitTable().lengths(lineBreaks);
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype total = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = units[i];
        total += lengths[unit];
        // A surrogate pair is one character without a code page 932 form.
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1]))
            ++i;
    }
    return total;
}

const Form *forms()
{
    return unitTable().forms();
}

} // namespace ShiftJis
