#include "tests/preview/PreviewTestWindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
constexpr int kPollInterval = 20;
constexpr int kGiveUpAfter = 5000;
}

void WithModalWindows(
    const std::function<void()>& start, const std::vector<std::function<void(QWidget& modal)>>& handlers)
{
    std::size_t handled = 0;
    QPointer<QWidget> last;
    int waited = 0;
    QTimer poll;
    poll.setInterval(kPollInterval);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        waited += kPollInterval;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != last && modal->isVisible() && handled < handlers.size()) {
            last = modal;
            waited = 0;
            handlers[handled++](*modal);
            return;
        }
        // A start that never opens a window must not hang the test run.
        if (waited > kGiveUpAfter || handled == handlers.size())
            poll.stop();
    });
    poll.start();
    start();
    poll.stop();
    EXPECT_EQ(handled, handlers.size()) << "fewer modal windows opened than expected";
}

void WithModalWindow(const std::function<void()>& start, const std::function<void(QWidget& modal)>& inside)
{
    WithModalWindows(start, { inside });
}

QString MessageBoxTextOf(const std::function<void()>& start)
{
    QString text;
    WithModalWindow(start, [&text](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            text = box->text();
        modal.close();
    });
    return text;
}
