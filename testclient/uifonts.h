// The fonts of the forms. "맑은 고딕" is the Korean face of Windows; elsewhere a Korean face of
// the system stands in, as Hangul does not render without one.
#pragma once

#include <QFont>

namespace zunta::testclient {

inline QFont KoreanFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies({QStringLiteral("맑은 고딕"), QStringLiteral("Malgun Gothic"),
                   QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans CJK KR")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

inline QFont LatinFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

}  // namespace zunta::testclient
