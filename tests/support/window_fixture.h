// What the window tests share: a scratch folder as the current directory (the window looks for
// bde.mdb there), controls looked up by their names, and message boxes answered as a user would.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace bearing::test {

// Enters a fresh folder for its lifetime and returns to the one before afterwards.
class ScratchFolder {
  public:
    ScratchFolder() : m_previous(std::filesystem::current_path()) {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot make a scratch folder: " +
                                     m_dir.errorString().toStdString());
        std::filesystem::current_path(m_dir.path().toStdString());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] QString path() const { return m_dir.path(); }

  private:
    std::filesystem::path m_previous;
    QTemporaryDir m_dir;
};

// The control named `name` under `root`. A missing one throws, which the test reports as a
// failure naming the control, where a null pointer would crash the whole test program.
template <typename T> T* control(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::runtime_error(std::string("no control named ") + name + " of the asked type");
    return found;
}

// A test helper's precondition. Throws, which the test reports as a failure, where Q_ASSERT
// would be compiled out of the build the tests run in.
inline void require(bool condition, const char* what) {
    if (!condition)
        throw std::logic_error(std::string("test precondition failed: ") + what);
}

// Answers every message box that becomes the active modal window with OK, noting its title and
// text as "title | text".
class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(int intervalMs = 10) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            m_titles.append(box->windowTitle());
            m_texts.append(box->text());
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(intervalMs);
    }
    [[nodiscard]] QStringList seen() const {
        QStringList out;
        for (qsizetype i = 0; i < m_texts.size(); ++i)
            out.append(m_titles[i] + " | " + m_texts[i]);
        return out;
    }
    [[nodiscard]] const QStringList& titles() const { return m_titles; }
    [[nodiscard]] const QStringList& texts() const { return m_texts; }

  private:
    QTimer m_timer;
    QStringList m_titles;
    QStringList m_texts;
};

} // namespace bearing::test
