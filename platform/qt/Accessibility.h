#pragma once

class QLabel;
class QWidget;

namespace dorvex::qt {

// The roles screen readers need that Qt's own interfaces do not give: every window of the
// program is a fixed dialog, and a banner marked as an alert is a notification.
void installAccessibleRoles();
void markAsAlert(QLabel& banner);
// Tells screen readers that the banner came up, once the event loop has shown its window.
void announce(QLabel& banner);

} // namespace dorvex::qt
