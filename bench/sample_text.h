#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Text shaped like the mails people write on a phone: kana and kanji with
// ASCII words, digits, full- and half-width signs, an occasional emoji and a
// line break every few phrases, in box form ("\n" breaks). The phrases are
// drawn by a fixed-seed generator so that every run measures the same text.
inline QString sampleText(qsizetype length)
{
    static const std::array<const char16_t *, 32> phrases = {
        u"おはようございます。",  u"今日は", u"10時に",        u"駅前の",
        u"カフェで",             u"待ち合わせ", u"しませんか？", u"OK!",
        u"了解です",             u"明日の会議は", u"14:30から",   u"3F会議室",
        u"に変更になりました。", u"資料は", u"mail@example.jp", u"へ送ってください",
        u"ｱﾘｶﾞﾄｳ",               u"（株）", u"よろしくお願いします。", u"See you!",
        u"雨が降りそう",         u"なので", u"傘を持って",     u"きてね",
        u"①②③",                 u"～",     u"ｗ",              u"😀",
        u"http://example.jp/a?b=1", u"お疲れさまでした", u"帰ります", u"ー",
    };
    QString text;
    text.reserve(length + 64);
    std::uint32_t state = 932;
    while (text.size() < length) {
        state = state * 1664525u + 1013904223u;
        text += QString::fromUtf16(phrases[(state >> 16) % phrases.size()]);
        if ((state >> 8) % 5 == 0)
            text += u'\n';
        else if ((state >> 8) % 7 == 0)
            text += u' ';
    }
    text.truncate(length);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.back() = u'x';
    return text;
}

// A text rich in emoji, as pasted from a chat: the sample's phrases with an
// emoji after each, some of them sequences (a skin tone, a flag, a family
// joined by ZWJ, a heart with its emoji selector), cut at `length` UTF-16
// units without splitting a pair.
inline QString emojiRichText(qsizetype length)
{
    static const std::array<const char16_t *, 12> emoji = {
        u"😀", u"🎉", u"👍🏻", u"❤️", u"🍣", u"🇯🇵", u"👨‍👩‍👧", u"✨", u"😂", u"🙏", u"🌸", u"☕",
    };
    const QString phrases = sampleText(length);
    QString text;
    text.reserve(length + 16);
    qsizetype next = 0;
    for (qsizetype i = 0; text.size() < length && i < phrases.size(); ++i) {
        text += phrases[i];
        if (i % 4 >= 3 && !phrases[i].isHighSurrogate())
            text += QString::fromUtf16(emoji[next++ % emoji.size()]);
    }
    text.truncate(length);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}
