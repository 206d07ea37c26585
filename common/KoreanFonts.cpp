#include "common/KoreanFonts.h"

#include <QFont>
#include <QStringList>

void InstallKoreanFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("굴림"),
                               {QStringLiteral("NanumGothic"), QStringLiteral("나눔고딕")});
    QFont::insertSubstitutions(QStringLiteral("굴림체"),
                               {QStringLiteral("NanumGothicCoding"), QStringLiteral("나눔고딕코딩")});
}

QFont ScreenFont()
{
    QFont font(QStringLiteral("굴림"));
    font.setPixelSize(9);
    return font;
}
