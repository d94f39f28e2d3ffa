#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

/// The progress window of a preparation or a filter run: a step text, one progress bar per
/// level and a cancel button that the running operation polls through Canceled().
class TfrmRLFeedBack : public QDialog {
public:
    /// Gap between two bars of consecutive levels.
    static constexpr int kLevelGap = 2;

    /// At least one level; the caption replaces the built-in "Progresso".
    TfrmRLFeedBack(const QString& caption, int levels = 1);

    QLabel* LabelStepName = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    /// Created disabled; nothing enables it.
    QTimer* TimerBlink = nullptr;

    /// The bars, one per level; the first is ProgressBar.
    const std::vector<QProgressBar*>& ProgressBars() const { return m_bars; }
    int Level() const { return m_level; }
    bool Canceled() const { return m_canceled; }
    bool Finished() const { return m_finished; }
    /// Turns the cancel button into an OK button that sets Finished.
    void SetFinishMode(bool finish) { m_finishMode = finish; }

    /// The current level's bar runs from 0 to `maximum`.
    void SetMaxProgress(int maximum);
    /// Shows the text and paints it at once.
    void SetStepName(const QString& text);
    /// Steps the current bar and processes pending events; throws EAbort when the application
    /// is ending, so the operation stops without a message.
    void StepForward();
    /// Moves to the next bar (the last one stays current).
    void NextLevel();

    /// May clear `canceled` again to refuse the cancel.
    std::function<void(TfrmRLFeedBack& sender, bool& canceled)> OnCancel;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void CancelClicked();
    void RaiseCancel();

    std::vector<QProgressBar*> m_bars;
    int m_level = 0;
    bool m_canceled = false;
    bool m_finished = false;
    bool m_finishMode = false;
};

/// Whether the application is ending: its object is going, or its event loop was told to quit,
/// or MarkApplicationTerminating was called.
bool ApplicationTerminating();
/// The program calls this when it asks the application to end outside an event loop; `false`
/// withdraws the request.
void MarkApplicationTerminating(bool terminating = true);
