#include "BackgroundWorker.h"

#include <QMetaObject>
#include <utility>

namespace quintar::desktop {

BackgroundWorker::BackgroundWorker(QObject* parent) : QObject(parent) {}

BackgroundWorker::~BackgroundWorker() { cancel(); }

// Posted to this object, a delivery is dropped with it if it is gone by then;
// the last one posted ends the job on this side.
void BackgroundWorker::start(Job job) {
  cancel();
  m_stop = false;
  const std::uint64_t ticket = ++m_ticket;
  m_thread = std::thread([this, ticket, job = std::move(job)] {
    const Post post = [this, ticket](std::function<void()> delivery) {
      QMetaObject::invokeMethod(
          this,
          [this, ticket, delivery = std::move(delivery)] {
            if (ticket == m_ticket) delivery();
          },
          Qt::QueuedConnection);
    };
    job(m_stop, post);
    post([this] { join(); });
  });
}

void BackgroundWorker::cancel() {
  ++m_ticket;
  m_stop = true;
  join();
}

void BackgroundWorker::join() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace quintar::desktop
