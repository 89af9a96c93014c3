#include "widgets/speed_keys.h"

#include <QKeyEvent>

#include "link/cw_sequences.h"

namespace mirva {

std::string_view SpeedKeySequence(const QKeyEvent& key) {
  if (!(key.modifiers() & Qt::ControlModifier))
    return {};
  bool keypad = key.modifiers() & Qt::KeypadModifier;
  if (key.key() == Qt::Key_Plus || (key.key() == Qt::Key_Equal && !keypad))
    return kSpeedUpSequence;
  if (key.key() == Qt::Key_Minus && keypad)
    return kSpeedDownSequence;
  return {};
}

}  // namespace mirva
