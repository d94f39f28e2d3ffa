#include "preview/RLFeedBack.h"

#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int kWidth = 393;
constexpr int kHeight = 129;
constexpr int kBlinkInterval = 300;
constexpr QRect kLabelPlace { 14, 12, 355, 13 };
constexpr QRect kBarPlace { 14, 28, 355, 17 };
constexpr QRect kCancelPlace { 151, 65, 85, 25 };
constexpr int kBarMaximum = 100;

bool& TerminatingFlag()
{
    static bool terminating = false;
    return terminating;
}
}

bool ApplicationTerminating()
{
    return !QCoreApplication::instance() || QCoreApplication::closingDown() || TerminatingFlag();
}

void MarkApplicationTerminating(bool terminating)
{
    TerminatingFlag() = terminating;
}

TfrmRLFeedBack::TfrmRLFeedBack(const QString& caption, int levels)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    static const bool hooked = [] {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { MarkApplicationTerminating(); });
        return true;
    }();
    Q_UNUSED(hooked);
    setObjectName(QStringLiteral("frmRLFeedBack"));
    setWindowTitle(caption);
    LabelStepName = new QLabel(LocaleText(TLocaleTextId::Wait), this);
    LabelStepName->setObjectName(QStringLiteral("LabelStepName"));
    LabelStepName->setGeometry(kLabelPlace);
    levels = std::max(levels, 1);
    for (int level = 0; level < levels; ++level) {
        auto* bar = new QProgressBar(this);
        bar->setObjectName(
            level == 0 ? QStringLiteral("ProgressBar") : QStringLiteral("ProgressBar%1").arg(level + 1));
        bar->setRange(0, kBarMaximum);
        bar->setValue(0);
        bar->setTextVisible(false);
        bar->setGeometry(kBarPlace.translated(0, level * (kBarPlace.height() + kLevelGap)));
        m_bars.push_back(bar);
    }
    ProgressBar = m_bars.front();
    const int added = (levels - 1) * (kBarPlace.height() + kLevelGap);
    BitBtnCancel = new QPushButton(LocaleText(TLocaleTextId::Cancel), this);
    BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
    BitBtnCancel->setGeometry(kCancelPlace.translated(0, added));
    BitBtnCancel->setFocus();
    QObject::connect(BitBtnCancel, &QPushButton::clicked, this, [this] { CancelClicked(); });
    TimerBlink = new QTimer(this);
    TimerBlink->setInterval(kBlinkInterval);
    setFixedSize(kWidth, kHeight + added);
    const QWidget* main = QApplication::activeWindow();
    const QRect around = main
        ? main->frameGeometry()
        : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                            : QRect(0, 0, kWidth, kHeight));
    move(around.center() - QPoint(width() / 2, height() / 2));
}

void TfrmRLFeedBack::SetMaxProgress(int maximum)
{
    QProgressBar* bar = m_bars.at(std::size_t(m_level));
    bar->setRange(0, std::max(maximum, 0));
    bar->setValue(0);
}

void TfrmRLFeedBack::SetStepName(const QString& text)
{
    LabelStepName->setText(text);
    LabelStepName->repaint();
}

void TfrmRLFeedBack::StepForward()
{
    QProgressBar* bar = m_bars.at(std::size_t(m_level));
    if (bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
    QCoreApplication::processEvents();
    if (ApplicationTerminating())
        throw EAbort();
}

void TfrmRLFeedBack::NextLevel()
{
    m_level = std::min(m_level + 1, int(m_bars.size()) - 1);
}

void TfrmRLFeedBack::CancelClicked()
{
    if (m_finishMode) {
        m_finished = true;
        return;
    }
    m_canceled = true;
    RaiseCancel();
}

void TfrmRLFeedBack::RaiseCancel()
{
    if (OnCancel)
        OnCancel(*this, m_canceled);
}

void TfrmRLFeedBack::closeEvent(QCloseEvent* event)
{
    // The operation that opened the window closes it; closing by hand counts as cancel.
    event->ignore();
    CancelClicked();
}

void TfrmRLFeedBack::reject()
{
    CancelClicked();
}
