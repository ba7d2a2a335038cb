// Linked into a benchmark copy of a program: ends the process right after its
// first paint, so that an instruction count covers the start-up alone. The
// exit waits for the next turn of the event loop, after the flush of the paint.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::fflush(nullptr);
                std::_Exit(0);  // skip teardown: it is not start-up
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

void installFirstPaintExit()
{
    QCoreApplication::instance()->installEventFilter(new FirstPaintExit(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintExit)
