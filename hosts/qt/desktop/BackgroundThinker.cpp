#include "BackgroundThinker.h"

#include <QMetaObject>

namespace quintar::desktop {

BackgroundThinker::BackgroundThinker(QObject* parent) : QObject(parent) {}

BackgroundThinker::~BackgroundThinker() { cancel(); }

void BackgroundThinker::start(std::uint32_t serial, const game::TThinkRequest& turn) {
  cancel();
  m_stop = false;
  m_serial = serial;
  m_turn = std::make_unique<game::TThinkRequest>(turn);
  const std::uint64_t ticket = ++m_ticket;
  m_thread = std::thread([this, ticket, question = m_turn.get()] {
    const std::optional<vcl::TPoint> cell = m_thinker.Think(*question, &m_stop);
    // Posted to this object: dropped with it if it is gone by then.
    QMetaObject::invokeMethod(
        this, [this, ticket, cell] { finished(ticket, cell); }, Qt::QueuedConnection);
  });
}

void BackgroundThinker::cancel() {
  ++m_ticket;
  m_stop = true;
  join();
}

void BackgroundThinker::join() {
  if (m_thread.joinable()) m_thread.join();
}

void BackgroundThinker::finished(std::uint64_t ticket, std::optional<vcl::TPoint> cell) {
  if (ticket != m_ticket) return;
  join();
  emit thought(m_serial, cell ? std::optional<QPoint>(QPoint(cell->X, cell->Y)) : std::nullopt);
}

}  // namespace quintar::desktop
