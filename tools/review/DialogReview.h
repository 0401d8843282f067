#pragma once

#include <QString>

class ReviewSheet;

// The dialogs' part of the review, built from the layouts of the module in force: the about
// box, and World Times and Metric Tables on every page. With controls, also the looks of the
// close button and of the home-page link while it is held down.
class DialogReview {
public:
    struct Sheets {
        ReviewSheet& about;
        ReviewSheet& worldTimes;
        ReviewSheet& metricTables;
    };
    static void add(const Sheets& sheets, const QString& language, bool controls);
};
