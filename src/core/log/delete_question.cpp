#include "log/delete_question.h"

#include "text/strings.h"

namespace mirva {

std::string DeleteQsoQuestion(std::size_t number, const TQSOData& q) {
  std::string text = "Are you sure?\nDelete QSO " + std::to_string(number);
  if (std::string_view call = Trim(q.Call); !call.empty())
    text += ", " + std::string(call);
  std::string_view band = Trim(q.Band);
  std::string_view mode = Trim(q.Mode);
  std::string on =
      std::string(band) + (band.empty() || mode.empty() ? "" : " ") + std::string(mode);
  if (!on.empty())
    text += " on " + on;
  // A time stored with seconds is named to the minute.
  if (std::string_view time = Trim(q.QSOTime); !time.empty())
    text += " at " + std::string(time.substr(0, 5));
  return text + "?";
}

}  // namespace mirva
