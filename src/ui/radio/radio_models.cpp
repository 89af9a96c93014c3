#include "radio/radio_models.h"

#ifdef MIRVA_HAVE_HAMLIB
#include "hamlib_radio.h"
#endif

namespace mirva {

namespace {

RadioModelList ReadModels() {
  RadioModelList models;
#ifdef MIRVA_HAVE_HAMLIB
  for (const RadioModel& model : HamlibModels())
    models.emplace_back(model.number, QString::fromStdString(model.name));
#endif
  return models;
}

}  // namespace

RadioModelReader::RadioModelReader(QObject* parent)
    : QObject(parent), thread_([this] {
        RadioModelList models = ReadModels();
        {
          std::lock_guard lock(mutex_);
          models_ = std::move(models);
        }
        // The reader outlives this thread, and a call still queued goes with it.
        QMetaObject::invokeMethod(
            this,
            [this] {
              std::unique_lock lock(mutex_);
              RadioModelList read = std::move(models_);
              lock.unlock();
              Q_EMIT ready(read);
            },
            Qt::QueuedConnection);
      }) {}

RadioModelReader::~RadioModelReader() {
  thread_.join();
}

}  // namespace mirva
