#include "app/qt_program.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <thread>

#include "platform/controls.h"
#include "platform/qt/picture_cache.h"
#include "platform/qt/qt_sound.h"

// The design pictures are compiled into this library; a static library's resources are
// there only once something asks for them by name.
static void loadDesignPictures() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(design);
        return true;
    }();
    (void)loaded;
}

namespace qv {

std::unique_ptr<QApplication> makeApplication(int& argc, char** argv) {
    // Set before any thread exists. The few helper threads (fontconfig's set-up, Qt's
    // painting pool, the sound player) allocate little: one heap serves them all, instead
    // of each keeping a heap of its own resident. Large blocks (pictures, the window's
    // image) are mapped at a fixed size, so that one let go returns to the system instead
    // of raising the threshold and staying in the heap.
    ::mallopt(M_ARENA_MAX, 1);
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QtSound::startCountEarly();
    std::thread fontConfig([] { FcInit(); });
    auto app = std::make_unique<QApplication>(argc, argv);
    fontConfig.join();
    styleApplication();
    return app;
}

void styleApplication() {
    loadDesignPictures();
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(readPicture(QStringLiteral(":/design/icon.png")))));
    // Asked for by name; where the font is missing, fontconfig's alias to Comic Neue
    // stands in for it.
    QFont font(QString::fromLatin1(kDefaultFontName));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    // A blinking caret in the focused port list would wake the program twice a second
    // for as long as it runs; a steady caret lets an idle panel cost nothing.
    QApplication::setCursorFlashTime(0);
}

QtProgram::QtProgram(const Environment& env)
    : rt_(std::make_unique<QtRuntime>(env)), binder_(std::make_unique<QtBinder>(*rt_)) {
    loadDesignPictures();
    rt_->setView(binder_.get());
    prog_ = std::make_unique<Application>(*rt_);
    FormQuorvane& w = prog_->quorvane();
    w.onCloseRequest = [&w] { w.Form_Unload(); };
}

QtProgram::~QtProgram() {
    rt_->setView(nullptr);
    binder_.reset();
    prog_.reset();
    rt_.reset();
}

void QtProgram::start() {
    main().Form_Load();
    main().Show();
}

}  // namespace qv
