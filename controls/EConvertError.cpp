#include "controls/EConvertError.h"

EConvertError EConvertError::InvalidInteger(const QString& text)
{
    return EConvertError(QStringLiteral("'%1'은(는) 올바른 정수 값이 아닙니다.").arg(text));
}

EConvertError EConvertError::InvalidFloat(const QString& text)
{
    return EConvertError(QStringLiteral("'%1'은(는) 올바른 숫자 값이 아닙니다.").arg(text));
}

EConvertError EConvertError::InvalidDate(const QString& text)
{
    return EConvertError(QStringLiteral("'%1'은(는) 올바른 날짜가 아닙니다.").arg(text));
}
