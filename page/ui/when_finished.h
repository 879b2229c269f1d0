// Work beside the window: a future's result handed to the window's thread when it is ready.
#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>

namespace page {

// done(future) on owner's thread once future has finished; never once owner is gone (the
// work itself then runs to its end on its own data).
template <typename Result, typename Done>
void whenFinished(QObject* owner, QFuture<Result> future, Done done)
{
    auto* watcher = new QFutureWatcher<Result>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner, [watcher, done = std::move(done)]() mutable {
        watcher->deleteLater();
        done(watcher->future());
    });
    watcher->setFuture(std::move(future));
}

} // namespace page
