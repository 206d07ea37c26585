#pragma once

#include <QIcon>
#include <QMainWindow>

class QAction;
class QMenu;
class QSerialPort;
class QTabWidget;
class TfrmZZD000;
class TQuery;

// The program's main window: the per-user menu bar, the tabbed area in which
// every open screen lives as one tab, the window menu listing the tabs, the
// window messages between shell and screens, and the card reader link.
// A concrete main window supplies the program-ID table (CreateScreen) and calls
// FormCreate once it has set its caption.
class TfrmZZMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmZZMain(TfrmZZD000* dataModule, QWidget* parent = nullptr);
    ~TfrmZZMain() override;

    // Settings, menu, caption suffix and card reader; decides CanShow().
    void FormCreate();
    void LoadSettings();
    void LoadMenu();

    bool OpenProgram(const QString& caption, const QString& programId);
    void MenuProgramClick(QAction* entry);
    void mmuMenuWindowCloseClick();
    void pgcTabsChange();
    void FormResize();

    // False when start-up failed and the program is to end without a window.
    bool CanShow() const { return m_canShow; }
    bool TerminationRequested() const { return m_terminate; }
    int ProgramCount() const { return m_programCount; }
    int RfidPort() const { return m_rfidPort; }
    QString TitleSuffix() const { return m_titleSuffix; }

    // The screen of tab index, or nullptr.
    QWidget* TabScreen(int index) const;
    QTabWidget* Tabs() const { return pgcTabs; }
    QMenu* WindowMenu() const { return mmuMenuWindow; }
    bool RfidPortOpen() const;

    // The first image marks an inactive tab, the second the active one.
    static QIcon MarkerImage(int index);

    // The device behind "COM"+n: "/dev/ttyS"+(n-1), or the program INI's
    // [SerialPorts] COMn entry.
    static QString SerialDevicePath(int portNumber);

protected:
    // Creates the screen registered for programId, embeds it and returns it;
    // nullptr when the ID is unknown. The base window knows no programs.
    virtual QWidget* CreateScreen(const QString& programId);
    QWidget* EmbedScreen(QWidget* screen);

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildWindow();
    void LoadTitleSuffix();
    void LoadProgramMenus();
    void AddPermittedPrograms(QMenu* menu, TQuery& programs, const QString& projectId,
                              const QString& menuId);
    void AddProgramEntry(QMenu* menu, const QString& caption, const QString& programId);
    void CloseActiveProgram();
    void MoveFocusForward();
    void NotifyLauncher();
    void OpenRfidReader();
    void comRF15693RxChar();

    TfrmZZD000* m_dataModule;
    QMenu* mmuMenuWindow = nullptr;
    QAction* mmuMenuWindowClose = nullptr;
    QTabWidget* pgcTabs = nullptr;
    QSerialPort* comRF15693 = nullptr;
    int m_programCount = 10;
    int m_rfidPort = 0;
    QString m_titleSuffix;
    bool m_canShow = false;
    bool m_terminate = false;
};
