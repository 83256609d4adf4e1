// SPDX-License-Identifier: MIT
#include "app/SingleInstance.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace brindlemoor {

SingleInstance::SingleInstance(const QString& lockPath)
{
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return; // cannot tell; better two instances than none
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_primary = errno != EWOULDBLOCK;
        ::close(fd);
        return;
    }
    m_fd = fd;
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace brindlemoor
