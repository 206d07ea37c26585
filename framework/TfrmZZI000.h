#pragma once

#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <vector>

#include "common/TQuery.h"

class QAbstractButton;
class QAction;
class QEventLoop;
class QMenu;
class QPushButton;
class QVBoxLayout;
class TPanel;
class TStatusBar;

// The root of every business screen: the data area, the button strip with the
// close button, the four-panel status bar (program ID, message, user, role),
// the screen's function keys, and the mechanics of living in a tab of the main
// window (page resize, close through the shell, opening other programs) or as
// a free-standing dialog.
//
// A concrete screen sets its form name ("frm" + program ID), builds its
// controls in its constructor and calls CreateForm() at the end of it; the
// set-up of every level (FormCreate) then sees all controls. A screen shown
// before that runs CreateForm() on its first show.
class TfrmZZI000 : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmZZI000(QWidget* parent = nullptr);
    ~TfrmZZI000() override;

    // Runs FormCreate once.
    void CreateForm();

    // The form name without its first three characters.
    QString ProgramId() const;

    // Puts text into the message panel; repaints the bar at once when it changed.
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // Asks the main window to open a program as if chosen from the menu;
    // returns when the main window has handled it.
    void OpenOtherProgram(const QString& caption, const QString& programId);

    // A free-standing screen: shown application-modal until it closes. The
    // caller reads its results and then frees it.
    void ShowModal();

    // Has a border of its own: a free-standing window, not a tab's screen.
    bool FreeStanding() const { return isWindow(); }

    virtual void bbtCloseClick();

    TPanel* panMain;
    TPanel* panButtons;
    QPushButton* bbtClose;
    TStatusBar* stbMessage;
    QMenu* popHotkey;
    TQuery qryQuery;

protected:
    virtual void FormCreate();
    virtual void FormResize();
    // True allows the close.
    virtual bool FormCloseQuery();
    virtual void FormClose();

    // The role text of the status bar, from the program's INI file.
    static QString RoleText();

    // The availability check that starts every command: empties the message
    // panel and ends the command silently (EAbort) when the button is hidden
    // or disabled (its own setting, whatever its containers do).
    void CheckAvailable(QWidget* button);
    static bool Available(const QWidget* button);

    // A hidden entry of popHotkey: the key runs the handler while the focus is
    // anywhere inside the screen.
    QAction* AddHotkey(const QString& text, const QKeySequence& key, std::function<void()> handler);
    // Clicking the button runs the handler; failures go to the error box.
    void ConnectButton(QAbstractButton* button, std::function<void()> handler);
    // Places a command button into the strip, left of `before` (or of bbtClose).
    void AddButton(QPushButton* button, QWidget* before = nullptr);
    // A named command button of a fixed size.
    QPushButton* NewButton(const QString& caption, const QString& name, int width, int height);

    // The search panel above the data area with the search button at its
    // right edge; search conditions go in with AddSearchControl.
    TPanel* BuildSearchPanel(QPushButton** searchButton);
    // Places a search condition into panSearch, left of the search button.
    void AddSearchControl(QWidget* control);

    // A query the screen closes when it closes (qryQuery is listed already).
    void AddQuery(TQuery& query);

    // Synthesises a key press and release, as the keyboard would send them.
    static void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    QVBoxLayout* FormLayout() const { return m_layout; }

    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* MainWindow() const;
    void UpdateCloseKey();
    void ArrangeTabOrder();

    QVBoxLayout* m_layout;
    TPanel* m_searchPanel = nullptr;
    QPushButton* m_searchButton = nullptr;
    QAction* m_closeKey = nullptr;
    std::vector<TQuery*> m_queries;
    QEventLoop* m_modalLoop = nullptr;
    bool m_formCreated = false;
};
