#include "cli/ConsoleWindow.h"

#include <utility>

namespace cindral::cli {

ConsoleWindow::ConsoleWindow(QByteArray password, QString path, Verbosity verbosity,
                             QTextStream& out, QTextStream& err)
    : m_password(std::move(password)), m_path(std::move(path)), m_verbosity(verbosity), m_out(out),
      m_err(err)
{}

void ConsoleWindow::setStageText(const QString& text)
{
    if (m_verbosity == Verbosity::Stages) {
        writeLine(m_err, text);
    }
}

void ConsoleWindow::messageBox(const QString& prompt, const QString& title, MessageIcon icon)
{
    QTextStream& stream = icon == MessageIcon::Information ? m_out : m_err;
    writeLine(stream, title + QStringLiteral(": ") + prompt);
}

// Flushed at once, so the lines of standard output and standard error keep their order.
void ConsoleWindow::writeLine(QTextStream& stream, const QString& text)
{
    stream << m_path << ": " << text << '\n';
    stream.flush();
}

} // namespace cindral::cli
