#include "radio/radio_models.h"

#include <QThread>

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
    : QObject(parent), thread_(QThread::create([this] { models_ = ReadModels(); })) {
  thread_->setObjectName(QStringLiteral("radio models"));
  connect(thread_, &QThread::finished, this, [this] { Q_EMIT ready(models_); });
  thread_->start();
}

RadioModelReader::~RadioModelReader() {
  thread_->wait();
  delete thread_;
}

}  // namespace mirva
