#include "settings/stored_options.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace StoredOptions {
namespace {

QChar at(QStringView text, qsizetype position)
{
    return position <= text.size() ? text[position - 1] : QChar();
}

// Positions 2 to 4: only "0" switches a notice off, so a damaged or short
// string errs on the side of showing it.
bool notZero(QStringView text, qsizetype position)
{
    return at(text, position) != u'0';
}

// Positions 6 and 7 hold a digit; anything else (or nothing) means "not used".
qint16 digit(QStringView text, qsizetype position)
{
    const QChar c = at(text, position);
    return c.isDigit() && c.unicode() < 0x80 ? static_cast<qint16>(c.unicode() - u'0') : 0;
}

QChar flag(bool on)
{
    return on ? u'1' : u'0';
}

} // namespace

Options parseConfig(QStringView config)
{
    Options options;
    const QChar width = at(config, 1);
    if (width == u'0')
        options.width = LineWidth::Eight;
    else if (width == u'1')
        options.width = LineWidth::Ten;
    options.copyMsgShow = notZero(config, 2);
    options.clearMsgShow = notZero(config, 3);
    options.overMsgShow = notZero(config, 4);
    options.sendMode = at(config, 5) == u'0';
    options.useAtesaki = digit(config, 6);
    options.useKenmei = digit(config, 7);
    return options;
}

void apply(const Options &options, SharedState &state)
{
    state.CopyMsgShow = options.copyMsgShow;
    state.ClearMsgShow = options.clearMsgShow;
    state.OverMsgShow = options.overMsgShow;
    state.SendMode = options.sendMode;
    state.UseAtesaki = options.useAtesaki;
    state.UseKenmei = options.useKenmei;
}

QString formatConfig(LineWidth width, const SharedState &state)
{
    QString config;
    config += width == LineWidth::Eight ? u'0' : u'1';
    config += flag(state.CopyMsgShow);
    config += flag(state.ClearMsgShow);
    config += flag(state.OverMsgShow);
    config += state.SendMode ? u'0' : u'1';
    config += QString::number(state.UseAtesaki);
    config += QString::number(state.UseKenmei);
    return config;
}

qint16 parseSettingNo(QStringView stored)
{
    // Blanks anywhere are skipped, then: sign, digits, fraction, exponent.
    std::string number;
    bool digits = false;
    bool dot = false;
    bool exponent = false;
    for (QChar c : stored) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        const char16_t u = c.unicode();
        const bool atStart = number.empty() || number.back() == 'e';
        if ((u == u'+' || u == u'-') && atStart) {
            number += static_cast<char>(u);
        } else if (u >= u'0' && u <= u'9') {
            number += static_cast<char>(u);
            digits = true;
        } else if (u == u'.' && !dot && !exponent) {
            number += '.';
            dot = true;
        } else if ((u == u'e' || u == u'E' || u == u'd' || u == u'D') && digits && !exponent) {
            number += 'e';
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
    if (!(value >= 0 && value < SharedState::SlotCount))
        return 0;
    return static_cast<qint16>(value);
}

QString formatSettingNo(qint16 settingNo)
{
    return settingNo < 0 ? QString::number(settingNo) : u' ' + QString::number(settingNo);
}

} // namespace StoredOptions
