#pragma once

// After every modal dialog or message box closes, gives the keyboard focus back to the control
// that had it when the dialog opened, and activates that control's window: window managers do
// not always hand the activation back by themselves, which leaves the keyboard on no window.
// Installs itself once for the application; later calls do nothing.
void ReturnFocusAfterDialogs();
