#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

void registerJapaneseFontSubstitutes()
{
    const QStringList fixedPitch{QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                 QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic"),
                                 QStringLiteral("Noto Sans Mono CJK JP")};
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                   QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic"),
                                   QStringLiteral("Noto Sans CJK JP")};
    for (const QString &name : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")})
        QFont::insertSubstitutions(name, fixedPitch);
    for (const QString &name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")})
        QFont::insertSubstitutions(name, proportional);
}
