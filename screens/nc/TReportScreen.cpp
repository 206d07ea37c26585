#include "screens/nc/TReportScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/TBusinessClock.h"
#include "controls/TwCustomMaskEdit.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "reportviewer/TReportArguments.h"
#include "reportviewer/TReportLocation.h"
#include "reportviewer/TReportViewer.h"
#include "screens/PanelEditors.h"

TReportScreen::TReportScreen(const QString& formName, const QString& reportFile, QWidget* parent)
    : TfrmZZS010(parent), m_reportFile(reportFile)
{
    setObjectName(formName);
    resize(1100, 720);
    bbtPrint->hide();
    bbtPreview->hide();
    ReportViewer1 = new TReportViewer(panMain);
    ReportViewer1->SetDatabase(&SharedConnection::Database());
    auto* layout = new QVBoxLayout(panMain);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ReportViewer1);
}

QString TReportScreen::ReportArguments() const
{
    return TReportArguments::Build(ReportValues());
}

void TReportScreen::bbtSearchClick()
{
    TfrmZZS010::bbtSearchClick();
    const QString arguments = ReportArguments();
    ReportViewer1->SetAutoAdjust(0);
    ReportViewer1->SetZoomRatio(150);
    ReportViewer1->Open(TReportLocation::Url(m_reportFile).toString(), arguments);
}

TReportScreen::TMonthField TReportScreen::AddMonthField(const QString& caption)
{
    AddSearchControl(new QLabel(caption));
    const PanelEditors::TMonthLine line = PanelEditors::MonthLine(nullptr);
    auto* box = new QWidget();
    line.row->setContentsMargins(0, 0, 0, 0);
    box->setLayout(line.row);
    AddSearchControl(box);
    return {line.minus, line.month, line.plus};
}

TReportScreen::TCodeField TReportScreen::AddCodeField(const QString& caption, const QString& codeName,
                                                      const QString& buttonName, const QString& nameName)
{
    AddSearchControl(new QLabel(caption));
    TCodeField field{PanelEditors::Edit(codeName, nullptr, 10), PanelEditors::LookupButton(buttonName, nullptr),
                     nullptr};
    field.code->setFixedWidth(80);
    AddSearchControl(field.code);
    AddSearchControl(field.button);
    if (!nameName.isEmpty()) {
        field.name = PanelEditors::NameBox(nameName, nullptr);
        field.name->setFixedWidth(150);
        AddSearchControl(field.name);
        // A typed code no longer belongs to the name the lookup put there.
        QLineEdit* name = field.name;
        connect(field.code, &QLineEdit::textEdited, name, [name] { name->clear(); });
    }
    return field;
}

void TReportScreen::ShowThisMonth(TwCustomMaskEdit* month)
{
    month->SetText(TBusinessClock::TodayText().left(6));
}

void TReportScreen::showEvent(QShowEvent* event)
{
    TfrmZZS010::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}
