#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QString;

namespace mirva {

/// A dialog's two buttons in their box.
struct DialogButtons {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
};

/// The dialog's two buttons: `Button1` with the caption, the default, whose click the caller
/// connects to the box's accepted(); and `Button2` "Cancel", which closes with Cancel.
DialogButtons AddDialogButtons(QDialog& dialog, const QString& caption);

}  // namespace mirva
