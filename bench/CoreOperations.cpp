#include "CoreOperations.h"

#include "operations/DecryptOperation.h"
#include "operations/EncryptOperation.h"
#include "operations/WindowServices.h"

#include <QFile>

namespace {

// The operations without a window: it answers with the password and the file, and remembers
// whether the last box was the operation's success.
class HeadlessWindow : public cindral::WindowServices
{
public:
    HeadlessWindow(const QString& path, const QByteArray& password)
        : m_path(path), m_password(password)
    {}

    [[nodiscard]] QByteArray passwordText() const override { return m_password; }
    [[nodiscard]] QString fileBoxText() const override { return m_path; }
    [[nodiscard]] QByteArray chosenFileName() const override { return QFile::encodeName(m_path); }
    void pointerBusy() override {}
    void pointerNormal() override {}
    void showStatusBar() override {}
    void hideStatusBar() override {}
    void setStageText(const QString&) override {}
    void focusPassword() override {}
    void selectWholePassword() override {}
    void messageBox(const QString&, const QString&, cindral::MessageIcon) override {}

private:
    QString m_path;
    QByteArray m_password;
};

} // namespace

bool encryptFile(const QString& path, const QByteArray& password)
{
    HeadlessWindow window(path, password);
    cindral::OperationState state;
    return cindral::runEncrypt(window, state) == cindral::Outcome::Succeeded;
}

bool decryptFile(const QString& path, const QByteArray& password)
{
    HeadlessWindow window(path, password);
    cindral::OperationState state;
    return cindral::runDecrypt(window, state) == cindral::Outcome::Succeeded;
}
