#pragma once
// Click events for controls that have none of their own (labels, frames,
// pictures): a press and release of the left button inside the control
// itself, not on one of its child controls.
#include <QObject>
#include <functional>

class QWidget;

namespace plataforma {

void al_pulsar(QWidget* control, std::function<void()> manejador);

}  // namespace plataforma
