#include "framework/TfrmZZI090.h"

TfrmZZI090::TfrmZZI090(QWidget* parent) : TfrmZZI070(true, parent)
{
}
