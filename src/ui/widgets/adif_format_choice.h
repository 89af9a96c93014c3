#pragma once

#include <QGroupBox>

#include "reports/adif_export.h"

class QRadioButton;

namespace mirva {

/// The ADIF an export writes, chosen with two radio buttons under a note of who reads which:
/// standard ADIF 3.1.4 or the program's own layout, which is checked at first.
class AdifFormatChoice : public QGroupBox {
 public:
  explicit AdifFormatChoice(QWidget* parent = nullptr);

  AdifKind Kind() const;

 private:
  QRadioButton* standard_;
};

}  // namespace mirva
