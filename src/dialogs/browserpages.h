#pragma once

class QWidget;

// The "Need a Reply" and "Ask How to Use" menu actions: each asks before
// launching the browser on its form page and opens nothing on No. Where no
// browser starts, a box says so and shows the address to copy. Returns
// whether the page was handed to the browser.
bool openFeedbackFormPage(QWidget* parent, bool is_japanese);
bool openQuestionFormPage(QWidget* parent, bool is_japanese);
