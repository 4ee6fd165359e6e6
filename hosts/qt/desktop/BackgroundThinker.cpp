#include "BackgroundThinker.h"

namespace quintar::desktop {

BackgroundThinker::BackgroundThinker(QObject* parent) : QObject(parent) {}

void BackgroundThinker::start(std::uint32_t serial, const game::TThinkRequest& turn) {
  m_worker.start([this, serial, turn](const std::atomic<bool>& stop, const BackgroundWorker::Post& post) {
    const std::optional<vcl::TPoint> cell = m_thinker.Think(turn, &stop);
    post([this, serial, cell] {
      emit thought(serial, cell ? std::optional<QPoint>(QPoint(cell->X, cell->Y)) : std::nullopt);
    });
  });
}

}  // namespace quintar::desktop
