#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <memory>

class QLabel;
class QProgressBar;
class QPrinter;
class QScrollArea;
class QToolButton;
class TDatabase;
class TReportDocument;
class TReportPageView;

// Shows a report: Open fetches its definition (a file URL or a report
// server's http(s) URL), runs its statements with the "/rp [..]" arguments on
// the connection and shows the pages at the zoom chosen, with print preview,
// printing and PDF export. A report that cannot be opened is reported in an
// error box and in the viewer itself, which then shows no pages.
class TReportViewer : public QWidget
{
    Q_OBJECT

public:
    explicit TReportViewer(QWidget* parent = nullptr);
    ~TReportViewer() override;

    // 0: the zoom is ZoomRatio; 1: a page fits the width; 2: a whole page fits.
    short AutoAdjust() const { return m_autoAdjust; }
    void SetAutoAdjust(short value);
    // Percent of the paper's size, 10 to 400.
    short ZoomRatio() const { return m_zoomRatio; }
    void SetZoomRatio(short value);

    void SetDatabase(TDatabase* database) { m_database = database; }
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // True when the report was fetched, run and laid out.
    bool Open(const QString& reportUrl, const QString& arguments);

    // Shows a report its screen laid out itself (figures the screen
    // computed), with the same zoom, preview, printing and PDF export.
    void Show(std::unique_ptr<TReportDocument> document);

    // The last Open: its URL, argument string and how many there were.
    QString LastUrl() const { return m_lastUrl; }
    QString LastArguments() const { return m_lastArguments; }
    int OpenCount() const { return m_openCount; }
    // Why the last Open failed; empty after a success.
    QString ErrorMessage() const { return m_error; }
    // The report shown, or nullptr.
    const TReportDocument* Document() const { return m_document.get(); }

    void Preview();
    void Print();
    void ExportPdf();
    // Throws ESelvarError when there is no report or the file cannot be written.
    void SavePdf(const QString& path) const;

    QToolButton* btnZoomOut;
    QToolButton* btnZoomIn;
    QToolButton* btnFitWidth;
    QToolButton* btnFitPage;
    QToolButton* btnPreview;
    QToolButton* btnPrint;
    QToolButton* btnPdf;
    QLabel* lblZoom;
    QLabel* lblPages;
    QLabel* lblMessage;
    // While a report is laid out: how far it got, and a button that stops it.
    QProgressBar* prgBuild;
    QToolButton* btnCancelBuild;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<TReportDocument> Load(const QUrl& url, const QStringList& arguments);
    void Fail(const QString& message);
    // Shows the progress and the pages laid out so far; false once cancelled.
    bool Progress(const TReportDocument& partial, int done, int total);
    void ApplyZoom();
    void UpdateCommands();
    bool HasPages() const;
    QToolButton* Button(const QString& name, const QString& caption);

    short m_autoAdjust = 0;
    short m_zoomRatio = 100;
    TDatabase* m_database = nullptr;
    int m_timeoutMs;
    QString m_lastUrl;
    QString m_lastArguments;
    int m_openCount = 0;
    bool m_building = false;
    bool m_cancelled = false;
    qint64 m_lastProgressMs = 0;
    QString m_error;
    std::unique_ptr<TReportDocument> m_document;
    QScrollArea* m_scroll;
    TReportPageView* m_view;
};
