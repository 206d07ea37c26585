#include "controls/TwCustomMaskEdit.h"

#include "controls/TwLocaleFormats.h"

#include <QKeyEvent>
#include <QLocale>

namespace {

// The three parts of "mask;save-literals;blank"; a "\;" stays in the mask.
QStringList SplitMask(const QString& editMask)
{
    QStringList parts{QString()};
    for (int i = 0; i < editMask.size(); ++i) {
        const QChar ch = editMask[i];
        if (ch == u'\\' && i + 1 < editMask.size() && parts.size() == 1) {
            parts.last() += ch;
            parts.last() += editMask[++i];
        } else if (ch == u';' && parts.size() < 3) {
            parts.append(QString());
        } else {
            parts.last() += ch;
        }
    }
    return parts;
}

QChar BlankOf(const QStringList& parts)
{
    return parts.size() >= 3 && !parts[2].isEmpty() ? parts[2][0] : QChar(u'_');
}

// Characters with a meaning in Qt's masks must be escaped to stay literal.
QString QtLiteral(QChar ch)
{
    static const QString meta = QStringLiteral("AaNnXx90Dd#HhBb<>!\\[]{};");
    return meta.contains(ch) ? QString(u'\\') + ch : QString(ch);
}

QString EscapedLiterals(const QString& text)
{
    QString out;
    for (QChar ch : text)
        out += QtLiteral(ch);
    return out;
}

// Which positions of a Qt mask are literal characters.
QList<bool> LiteralPositions(const QString& qtMask)
{
    QList<bool> literal;
    const QString mask = qtMask.left(qtMask.lastIndexOf(u';'));
    for (int i = 0; i < mask.size(); ++i) {
        const QChar ch = mask[i];
        if (ch == u'\\') {
            literal.append(true);
            ++i;
        } else if (ch == u'<' || ch == u'>' || ch == u'!') {
            continue;
        } else {
            literal.append(!QStringLiteral("AaNnXx90Dd#HhBb").contains(ch));
        }
    }
    return literal;
}

} // namespace

TwCustomMaskEdit::TwCustomMaskEdit(QWidget* parent) : QLineEdit(parent)
{
    ApplyAlignment();
}

QString TwCustomMaskEdit::QtInputMask(const QString& editMask, const QLocale& locale)
{
    const QStringList parts = SplitMask(editMask);
    const QString& mask = parts[0];
    if (mask.isEmpty())
        return {};
    QString out;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar ch = mask[i];
        switch (ch.unicode()) {
        case u'\\':
            if (i + 1 < mask.size())
                out += QtLiteral(mask[++i]);
            break;
        case u'<':
            if (i + 1 < mask.size() && mask[i + 1] == u'>') {
                out += u'!';
                ++i;
            } else {
                out += u'<';
            }
            break;
        case u'>': out += u'>'; break;
        case u'!': break; // blank trimming only; Qt keeps the text as typed
        case u'L': out += u'A'; break;
        case u'l': out += u'a'; break;
        case u'A': out += u'N'; break;
        case u'a': out += u'n'; break;
        case u'C': out += u'X'; break;
        case u'c': out += u'x'; break;
        case u'0': out += u'9'; break;
        case u'9': out += u'0'; break;
        case u'#': out += u'#'; break;
        case u':': out += EscapedLiterals(TwLocaleFormats::TimeSeparator(locale)); break;
        case u'/': out += EscapedLiterals(TwLocaleFormats::DateSeparator(locale)); break;
        case u'_': out += u' '; break;
        default: out += QtLiteral(ch); break;
        }
    }
    return out + u';' + BlankOf(parts);
}

bool TwCustomMaskEdit::SavesLiterals(const QString& editMask)
{
    const QStringList parts = SplitMask(editMask);
    return parts.size() < 2 || parts[1].trimmed() != u"0";
}

void TwCustomMaskEdit::SetEditMask(const QString& mask)
{
    m_editMask = mask;
    m_saveLiterals = SavesLiterals(mask);
    setInputMask(QtInputMask(mask, locale()));
}

QString TwCustomMaskEdit::Text() const
{
    if (inputMask().isEmpty())
        return QLineEdit::text();
    const QChar blank = BlankOf(SplitMask(m_editMask));
    const QList<bool> literal = LiteralPositions(inputMask());
    const QString shown = displayText();
    QString out;
    for (int i = 0; i < shown.size() && i < literal.size(); ++i) {
        if (shown[i] == blank || (literal[i] && !m_saveLiterals))
            continue;
        out += shown[i];
    }
    return out;
}

void TwCustomMaskEdit::SetText(const QString& value)
{
    if (inputMask().isEmpty() || m_saveLiterals) {
        setText(value);
        return;
    }
    // Spread the value over the mask positions, with the literals between.
    const QList<bool> literal = LiteralPositions(inputMask());
    const QString mask = inputMask();
    QString full;
    int next = 0;
    int maskIndex = 0;
    for (int pos = 0; pos < literal.size() && next < value.size(); ++pos) {
        while (mask[maskIndex] == u'<' || mask[maskIndex] == u'>' || mask[maskIndex] == u'!')
            ++maskIndex;
        if (mask[maskIndex] == u'\\')
            ++maskIndex;
        full += literal[pos] ? mask[maskIndex] : value[next++];
        ++maskIndex;
    }
    setText(full);
}

void TwCustomMaskEdit::ApplyAlignment()
{
    Qt::Alignment vertical = Qt::AlignTop;
    if (m_layout == tlCenter)
        vertical = Qt::AlignVCenter;
    else if (m_layout == tlBottom)
        vertical = Qt::AlignBottom;
    setAlignment((m_alignment & Qt::AlignHorizontal_Mask) | vertical);
}

void TwCustomMaskEdit::SetAlignment(Qt::Alignment horizontal)
{
    m_alignment = horizontal & Qt::AlignHorizontal_Mask;
    ApplyAlignment();
}

void TwCustomMaskEdit::SetLayout(TwTextLayout value)
{
    m_layout = value;
    ApplyAlignment();
}

void TwCustomMaskEdit::SetMargins(int left, int top, int right, int bottom)
{
    setTextMargins(left, top, right, bottom);
}

QColor TwCustomMaskEdit::Color() const
{
    return palette().color(QPalette::Base);
}

void TwCustomMaskEdit::SetColor(const QColor& value)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, value);
    setPalette(pal);
}

void TwCustomMaskEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !inputMask().isEmpty()
        && isModified()) {
        // Esc takes back the unsaved typing and stays here.
        setText(m_savedText);
        selectAll();
        event->accept();
        return;
    }
    if (!isModified())
        m_savedText = QLineEdit::text();
    QLineEdit::keyPressEvent(event);
}

void TwCustomMaskEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        selectAll();
}
