#pragma once

class QWidget;

// With V7_REPORT_EXPOSE=1 in the environment, prints "exposed <ms since the process started>" to
// standard error when the top-level window, just shown, is first exposed; the start-up benchmark
// waits for that line.
void reportFirstExposeIfAsked(QWidget &window);
