#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

/// Runs `inside` on the next modal window that opens while `start` runs (start opens it);
/// `inside` must close it. Fails the test when no modal window opens.
void WithModalWindow(const std::function<void()>& start, const std::function<void(QWidget& modal)>& inside);
/// As WithModalWindow for windows that open one after the other: the n-th window opened gets
/// the n-th handler. Fails the test when fewer windows open.
void WithModalWindows(
    const std::function<void()>& start, const std::vector<std::function<void(QWidget& modal)>>& handlers);
/// The text of the message box that `start` opens; the box is closed. Empty when none opened.
QString MessageBoxTextOf(const std::function<void()>& start);
