#include "controls/TwCustomNumEdit.h"

#include <cmath>

#include "controls/TwColumn.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <qdrawutil.h>
#include <utility>

namespace {
constexpr int kSpinWidth = 15;

double NumberOfText(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0;
}
} // namespace

TwCustomNumEdit::TwCustomNumEdit(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
    resize(121, 21);
}

void TwCustomNumEdit::Apply(TwNumText::Effect effect)
{
    update();
    if (effect.Beep)
        Beep();
    if (effect.Change && OnChange)
        OnChange(this);
}

void TwCustomNumEdit::Beep()
{
    QApplication::beep();
}

void TwCustomNumEdit::SetValue(double value)
{
    Apply(m_num.SetValue(value));
}

void TwCustomNumEdit::Clear()
{
    Apply(m_num.Clear());
}

void TwCustomNumEdit::SetCellValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        Clear();
        return;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    SetValue(ok ? number : NumberOfText(value.toString()));
}

QVariant TwCustomNumEdit::CellValue() const
{
    if (m_num.IsEmpty())
        return {};
    return m_num.Clamp(m_num.Value());
}

void TwCustomNumEdit::SetBorderStyle(BorderStyle value)
{
    m_borderStyle = value;
    update();
}

void TwCustomNumEdit::SetCtl3D(bool value)
{
    m_ctl3D = value;
    update();
}

void TwCustomNumEdit::SetColor(const QColor& value)
{
    m_color = value;
    update();
}

void TwCustomNumEdit::SetEnableNull(bool value)
{
    Apply(m_num.SetEnableNull(value));
}

void TwCustomNumEdit::SetLayout(TwTextLayout value)
{
    m_layout = value;
    update();
}

void TwCustomNumEdit::SetMaxLength(int value)
{
    Apply(m_num.SetMaxLength(value));
}

void TwCustomNumEdit::SetPrecision(int value)
{
    Apply(m_num.SetPrecision(value));
}

void TwCustomNumEdit::SetSpinner(bool value)
{
    m_spinner = value;
    update();
}

void TwCustomNumEdit::SetSpinner3D(bool value)
{
    m_spinner3D = value;
    update();
}

void TwCustomNumEdit::SetThousandSep(bool value)
{
    m_thousandSep = value;
    update();
}

QChar TwCustomNumEdit::GroupSeparator() const
{
    if (!m_thousandSep)
        return {};
    const QString sep = locale().groupSeparator();
    return sep.isEmpty() ? QChar(u',') : sep.at(0);
}

QString TwCustomNumEdit::DisplayText() const
{
    return TwNumText::GroupDigits(m_num.Text(), m_num.IntLength(), GroupSeparator());
}

int TwCustomNumEdit::PrecisionOfFormat(const QString& editFormat)
{
    const int point = editFormat.indexOf(u'.');
    if (point < 0)
        return 0;
    int count = 0;
    for (int i = point + 1; i < editFormat.size(); ++i) {
        if (editFormat[i] != u'0' && editFormat[i] != u'#')
            break;
        ++count;
    }
    return count;
}

void TwCustomNumEdit::SetupFromColumn(TwCustomNumEdit& edit, const QString& editFormat, int maxLength,
                                      const QString& maxValue, const QString& minValue, bool spin)
{
    // Setting up is no edit: the rewritten value fires no change.
    const auto onChange = std::exchange(edit.OnChange, nullptr);
    // MaxLength first, so that a limit below the old precision cannot cut the new one.
    edit.SetMaxLength(0);
    edit.SetPrecision(PrecisionOfFormat(editFormat));
    edit.SetMaxLength(maxLength);
    edit.SetMaxValue(NumberOfText(maxValue));
    edit.SetMinValue(NumberOfText(minValue));
    edit.SetThousandSep(editFormat.contains(u','));
    edit.SetSpinner(spin);
    edit.OnChange = onChange;
}

void TwCustomNumEdit::SetupFromColumn(TwCustomNumEdit& edit, const TwColumn& column, bool spin)
{
    edit.SetColor(column.EditColor() ? TwColors::Window() : column.Color());
    edit.setFont(column.Font());
    edit.SetLayout(column.Layout());
    SetupFromColumn(edit, column.EditFormat(), column.MaxLength(), column.MaxValue(), column.MinValue(), spin);
}

// ---- geometry -------------------------------------------------------------

int TwCustomNumEdit::FrameWidth() const
{
    if (m_borderStyle == bsNone)
        return 0;
    return m_ctl3D ? 2 : 1;
}

QRect TwCustomNumEdit::SpinRect() const
{
    if (!m_spinner)
        return {};
    const int frame = FrameWidth();
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    return QRect(inner.right() - kSpinWidth + 1, inner.top(), kSpinWidth, inner.height());
}

QRect TwCustomNumEdit::TextRect() const
{
    const int frame = FrameWidth();
    QRect area = rect().adjusted(frame, frame, -frame, -frame);
    if (m_spinner)
        area.setRight(SpinRect().left() - 1);
    area.setRight(area.right() - 1);
    return area;
}

int TwCustomNumEdit::TextLeft(const QString& display) const
{
    return TextRect().right() + 1 - fontMetrics().horizontalAdvance(display);
}

int TwCustomNumEdit::IndexAt(const QPoint& pos) const
{
    const QString display = DisplayText();
    const QFontMetrics fm = fontMetrics();
    const int left = TextLeft(display);
    for (int i = 0; i < display.size(); ++i) {
        const int from = left + fm.horizontalAdvance(display.left(i));
        const int to = left + fm.horizontalAdvance(display.left(i + 1));
        if (pos.x() >= from && pos.x() < to)
            return TwNumText::TextIndex(i, m_num.Text().size(), m_num.IntLength(), m_thousandSep);
    }
    return m_num.Text().size();
}

// ---- painting -------------------------------------------------------------

void TwCustomNumEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    if (m_borderStyle == bsSingle) {
        if (m_ctl3D) {
            qDrawShadePanel(&painter, rect(), palette(), true, 2);
        } else {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    PaintText(painter);
    if (m_spinner)
        PaintSpinner(painter);
}

void TwCustomNumEdit::PaintText(QPainter& painter)
{
    const QRect area = TextRect();
    const QFontMetrics fm = fontMetrics();
    const QString display = DisplayText();
    const int left = TextLeft(display);
    int top = area.top() + (area.height() - fm.height()) / 2;
    if (m_layout == tlTop)
        top = area.top();
    else if (m_layout == tlBottom)
        top = area.bottom() + 1 - fm.height();
    const int baseline = top + fm.ascent();

    painter.save();
    painter.setClipRect(area);
    painter.setFont(font());
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::Text));
    if (m_num.Sign() < 0)
        painter.drawText(left - fm.horizontalAdvance(u'-') - 1, baseline, QStringLiteral("-"));
    painter.drawText(left, baseline, display);

    const bool grouped = m_thousandSep;
    const int intLength = m_num.IntLength();
    if (hasFocus() && m_num.HasSelection()) {
        const int from = TwNumText::DisplayIndex(m_num.SelStart(), intLength, grouped);
        const int to = TwNumText::DisplayIndex(m_num.SelEnd(), intLength, grouped);
        const int x1 = left + fm.horizontalAdvance(display.left(from));
        const int x2 = left + fm.horizontalAdvance(display.left(to));
        painter.fillRect(QRect(x1, top, x2 - x1, fm.height()), palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(x1, baseline, display.mid(from, to - from));
    }
    if (hasFocus()) {
        const int caret = TwNumText::DisplayIndex(m_num.Caret(), intLength, grouped);
        const int x = qMin(left + fm.horizontalAdvance(display.left(caret)), area.right());
        painter.fillRect(QRect(x, top, 1, fm.height()), palette().color(QPalette::Text));
    }
    painter.restore();
}

void TwCustomNumEdit::PaintSpinner(QPainter& painter)
{
    const QRect spin = SpinRect();
    const int half = spin.height() / 2;
    const QRect upper(spin.left(), spin.top(), spin.width(), half);
    const QRect lower(spin.left(), spin.top() + half, spin.width(), spin.height() - half);
    for (int delta : {1, -1}) {
        const QRect part = delta > 0 ? upper : lower;
        const bool sunken = m_spinDown && m_spinPressed == delta;
        if (m_spinner3D)
            qDrawWinButton(&painter, part, palette(), sunken, &palette().brush(QPalette::Button));
        else
            qDrawPlainRect(&painter, part, palette().color(QPalette::Mid), 1,
                           &palette().brush(QPalette::Button));
        // A small solid triangle, pointing up or down.
        const QPoint mid = part.center() + (sunken ? QPoint(1, 1) : QPoint(0, 0));
        const int tip = delta > 0 ? -2 : 2;
        const QPolygon arrow({mid + QPoint(-3, -tip / 2), mid + QPoint(3, -tip / 2), mid + QPoint(0, tip)});
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawPolygon(arrow);
        painter.restore();
    }
}

// ---- keyboard -------------------------------------------------------------

void TwCustomNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (HandleKey(event))
        return;
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        HandleChar(text[0]);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TwCustomNumEdit::HandleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const int key = event->key();
    if (ctrl && key == Qt::Key_A) {
        m_num.SelectAll();
        update();
    } else if ((ctrl && key == Qt::Key_C) || (ctrl && key == Qt::Key_Insert)) {
        Copy();
    } else if ((ctrl && key == Qt::Key_X) || (ctrl && key == Qt::Key_Delete)) {
        Cut();
    } else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        Paste();
    } else if (key == Qt::Key_Backspace) {
        if (!m_readOnly)
            Apply(m_num.Backspace());
    } else if (key == Qt::Key_Delete) {
        if (!m_readOnly)
            Apply(m_num.Delete());
    } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) {
        const int end = m_num.Text().size();
        const int target = key == Qt::Key_Left    ? m_num.Caret() - 1
                           : key == Qt::Key_Right ? m_num.Caret() + 1
                           : key == Qt::Key_Home  ? 0
                                                  : end;
        m_num.MoveCaret(target, shift);
        update();
    } else {
        return false;
    }
    return true;
}

void TwCustomNumEdit::HandleChar(QChar ch)
{
    if (OnKeyPress)
        OnKeyPress(this, ch);
    if (ch.isNull())
        return;
    if (m_readOnly) {
        Beep();
        return;
    }
    Apply(m_num.TypeChar(ch));
}

void TwCustomNumEdit::Copy()
{
    if (m_num.HasSelection())
        QApplication::clipboard()->setText(m_num.SelectedText());
}

void TwCustomNumEdit::Cut()
{
    if (!m_num.HasSelection())
        return;
    Copy();
    if (!m_readOnly)
        Apply(m_num.DeleteSelection());
}

bool TwCustomNumEdit::TooManyDigits(const QString& number) const
{
    if (MaxLength() <= 0)
        return false;
    const qsizetype point = number.indexOf(u'.');
    const QString whole = point < 0 ? number : number.left(point);
    int digits = 0;
    for (const QChar ch : whole)
        digits += ch.isDigit() ? 1 : 0;
    return digits > MaxLength() - Precision();
}

void TwCustomNumEdit::Paste()
{
    // A pasted number replaces the value; grouping and blanks are ignored.
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty() || m_readOnly)
        return;
    QString cleaned = text.trimmed();
    cleaned.remove(u' ');
    cleaned.remove(locale().groupSeparator());
    cleaned.remove(u',');
    bool ok = false;
    const double value = cleaned.toDouble(&ok);
    // Refused like any other text that is no number: "nan" and "inf" parse,
    // and more digits than the field holds would slip past its limit.
    if (!ok || !std::isfinite(value) || TooManyDigits(cleaned)) {
        Beep();
        return;
    }
    SetValue(value);
}

// ---- mouse and focus ------------------------------------------------------

void TwCustomNumEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    const QRect spin = SpinRect();
    if (m_spinner && spin.contains(event->position().toPoint())) {
        m_spinPressed = event->position().y() < spin.top() + spin.height() / 2 ? 1 : -1;
        m_spinDown = true;
    } else {
        m_num.MoveCaret(IndexAt(event->position().toPoint()), false);
    }
    update();
}

void TwCustomNumEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_spinPressed == 0)
        return QWidget::mouseReleaseEvent(event);
    const QRect spin = SpinRect();
    const QPoint pos = event->position().toPoint();
    const int half = pos.y() < spin.top() + spin.height() / 2 ? 1 : -1;
    const int delta = m_spinPressed;
    m_spinPressed = 0;
    m_spinDown = false;
    update();
    if (!spin.contains(pos) || half != delta || m_readOnly)
        return;
    bool accept = true;
    if (OnSpinClick)
        OnSpinClick(this, delta, accept);
    if (accept)
        Apply(m_num.Spin(delta));
}

void TwCustomNumEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_spinner && SpinRect().contains(event->position().toPoint()))
        return mousePressEvent(event);
    m_num.SelectAll();
    update();
}

void TwCustomNumEdit::focusInEvent(QFocusEvent* event)
{
    if (m_autoSelect)
        m_num.SelectIntegerPart();
    QWidget::focusInEvent(event);
    update();
}

void TwCustomNumEdit::focusOutEvent(QFocusEvent* event)
{
    m_spinPressed = 0;
    m_spinDown = false;
    Apply(m_num.ClampOnExit());
    QWidget::focusOutEvent(event);
    if (OnExit)
        OnExit(this);
}
