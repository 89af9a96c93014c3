#include "hamlib_radio.h"

#include <hamlib/rig.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>

#include "link/radio_mode.h"

namespace mirva {

namespace {

/// Hamlib's text for an error code, without the debug lines it may append.
std::string ErrorText(int status) {
  std::string text = rigerror(status);
  text = text.substr(0, text.find('\n'));
  return text.empty() ? "Hamlib error " + std::to_string(status) : text;
}

/// Sets a configuration value by its name; an error code when the model lacks it.
int SetConf(RIG* rig, const char* name, const std::string& value) {
  token_t token = rig_token_lookup(rig, name);
  if (token == RIG_CONF_END)
    return -RIG_EINVAL;
  return rig_set_conf(rig, token, value.c_str());
}

/// Hamlib fills and reads its table of models without a lock (rig_init loads a model's backend
/// into it), so a listing and an open run one at a time.
std::mutex& ModelTable() {
  static std::mutex table;
  return table;
}

/// Keeps Hamlib's tracing off the operator's terminal; once per process.
void QuietHamlib() {
  static std::once_flag once;
  std::call_once(once, [] { rig_set_debug(RIG_DEBUG_NONE); });
}

int AddModel(const rig_caps* caps, rig_ptr_t data) {
  auto* models = static_cast<std::vector<RadioModel>*>(data);
  models->push_back(
      {static_cast<int>(caps->rig_model), std::string(caps->mfg_name ? caps->mfg_name : "") + " " +
                                              (caps->model_name ? caps->model_name : "")});
  return 1;  // go on
}

}  // namespace

const std::vector<RadioModel>& HamlibModels() {
  static const std::vector<RadioModel> models = [] {
    QuietHamlib();
    std::vector<RadioModel> found;
    {
      std::lock_guard lock(ModelTable());
      rig_load_all_backends();
      rig_list_foreach(AddModel, &found);
    }
    std::sort(found.begin(), found.end(),
              [](const RadioModel& a, const RadioModel& b) { return a.name < b.name; });
    return found;
  }();
  return models;
}

HamlibRadio::HamlibRadio(RadioSettings settings, std::chrono::milliseconds timeout)
    : settings_(std::move(settings)), timeout_(timeout) {
  QuietHamlib();
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
}

HamlibRadio::~HamlibRadio() {
  Close();
}

RadioReading HamlibRadio::Failed(const std::string& why) {
  return {0, "", why};
}

std::string HamlibRadio::Open() {
  {
    std::lock_guard lock(ModelTable());
    rig_ = rig_init(static_cast<rig_model_t>(settings_.model));
  }
  if (!rig_)
    return "Hamlib knows no radio model " + std::to_string(settings_.model);
  int status = SetConf(rig_, "rig_pathname", settings_.port);
  if (status == RIG_OK)
    status = SetConf(rig_, "timeout", std::to_string(timeout_.count()));
  if (status == RIG_OK)
    status = SetConf(rig_, "retry", "0");
  if (status == RIG_OK && settings_.speed > 0)
    status = SetConf(rig_, "serial_speed", std::to_string(settings_.speed));
  if (status == RIG_OK)
    status = rig_open(rig_);
  if (status == RIG_OK)
    return {};
  rig_cleanup(rig_);
  rig_ = nullptr;
  return ErrorText(status);
}

void HamlibRadio::Close() {
  if (!rig_)
    return;
  rig_close(rig_);
  rig_cleanup(rig_);
  rig_ = nullptr;
}

RadioReading HamlibRadio::Read() {
  if (!rig_) {
    if (std::string why = Open(); !why.empty())
      return Failed(why);
  }
  freq_t freq = 0;
  rmode_t mode = RIG_MODE_NONE;
  pbwidth_t width = 0;
  int status = rig_get_freq(rig_, RIG_VFO_CURR, &freq);
  if (status == RIG_OK)
    status = rig_get_mode(rig_, RIG_VFO_CURR, &mode, &width);
  if (status != RIG_OK) {
    Close();
    return Failed(ErrorText(status));
  }
  return {std::llround(freq), rig_strrmode(mode), ""};
}

std::string HamlibRadio::Tune(std::int64_t hz, std::string_view mode) {
  std::optional<std::string> radio_mode = RadioModeFor(mode, hz);
  if (!radio_mode)
    return "the radio has no mode for " + std::string(mode);
  if (!rig_) {
    if (std::string why = Open(); !why.empty())
      return why;
  }
  int status = rig_set_freq(rig_, RIG_VFO_CURR, static_cast<freq_t>(hz));
  if (status == RIG_OK && !radio_mode->empty())
    status =
        rig_set_mode(rig_, RIG_VFO_CURR, rig_parse_mode(radio_mode->c_str()), RIG_PASSBAND_NORMAL);
  if (status != RIG_OK) {
    Close();
    return ErrorText(status);
  }
  return {};
}

}  // namespace mirva
