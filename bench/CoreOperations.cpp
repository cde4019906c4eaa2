#include "CoreOperations.h"

#include "cipher/EncryptedImage.h"
#include "cipher/Fingerprint.h"
#include "cipher/ShiftCipher.h"
#include "operations/TextFile.h"

#include <QFile>
#include <array>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

class PhaseTimer
{
public:
    void lap(const char* phase)
    {
        const Clock::time_point now = Clock::now();
        std::printf("    %-10s %7.3f s\n", phase,
                    std::chrono::duration<double>(now - m_last).count());
        m_last = now;
    }

private:
    Clock::time_point m_last = Clock::now();
};

} // namespace

bool encryptFile(const QString& path, const QByteArray& password)
{
    using namespace cindral;
    PhaseTimer timer;
    QByteArray text = loadtext(QFile::encodeName(path), LineEnds::Append);
    timer.lap("load");
    if (cipher::chkencrypted(text) == cipher::FileStatus::Encrypted)
        return false;
    const int pwdavg = cipher::pwd(password);
    const cipher::EncryptedImage image(cipher::Encrypt(std::move(text), password), pwdavg);
    timer.lap("encrypt");
    savetext(QFile::encodeName(path), image.pieces());
    timer.lap("save");
    return true;
}

bool decryptFile(const QString& path, const QByteArray& password)
{
    using namespace cindral;
    PhaseTimer timer;
    QByteArray text = loadtext(QFile::encodeName(path), LineEnds::Join);
    timer.lap("load");
    if (cipher::chkencrypted(text) != cipher::FileStatus::Encrypted ||
        cipher::chkpwd(text, password).verdict != cipher::Verdict::Match)
        return false;
    const QByteArray plain = cipher::decript(std::move(text), password);
    timer.lap("decrypt");
    savetext(QFile::encodeName(path), std::array{QByteArrayView(plain)});
    timer.lap("save");
    return true;
}
