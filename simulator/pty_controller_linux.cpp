// Linux: the simulated controller on a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <deque>
#include <thread>

#include "link/wire_timing.h"
#include "simulator/answer_schedule.h"
#include "simulator/pty_controller.h"
#include "simulator/request_reader.h"
#include "simulator/simulated_controller.h"

namespace vor {
namespace {

std::int64_t MonotonicUs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::int64_t{ts.tv_sec} * 1'000'000 + ts.tv_nsec / 1000;
}

}  // namespace

// Where /dev/ptmx belongs to another devpts instance than /dev/pts, the name ptsname() gives is
// missing and /dev/pts/ptmx is the right multiplexer.
int OpenPtyMaster(QString& slavePath) {
  for (const char* ptmx : {"/dev/ptmx", "/dev/pts/ptmx"}) {
    const int fd = ::open(ptmx, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    char name[128] = {};
    struct stat st {};
    if (::grantpt(fd) == 0 && ::unlockpt(fd) == 0 && ::ptsname_r(fd, name, sizeof name) == 0 &&
        ::stat(name, &st) == 0) {
      slavePath = QString::fromLocal8Bit(name);
      return fd;
    }
    ::close(fd);
  }
  return -1;
}

struct PtyController::Line {
  ~Line();
  // Answers requests until `stop` is set and the wake pipe written.
  void Serve(SimulatedController& controller);

  int master = -1;
  int slave = -1;  // kept open so the line never hangs up between the program's opens
  int wakeRead = -1;
  int wakeWrite = -1;
  std::atomic<bool> stop{false};
  std::thread thread;
};

PtyController::Line::~Line() {
  stop = true;
  if (wakeWrite >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite, &byte, 1);
  }
  if (thread.joinable()) thread.join();
  for (const int fd : {master, slave, wakeRead, wakeWrite}) {
    if (fd >= 0) ::close(fd);
  }
}

PtyController::PtyController(SimulatedController& controller) : controller_(controller) {}

PtyController::~PtyController() { Stop(); }

bool PtyController::Start(QString& error) {
  Stop();
  // Until it is handed over below, `line` closes whatever was opened when a step fails.
  auto line = std::make_unique<Line>();
  line->master = OpenPtyMaster(devicePath_);
  if (line->master < 0) {
    error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(strerror(errno));
    return false;
  }
  line->slave = ::open(devicePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (line->slave < 0) {
    error = QStringLiteral("cannot open %1: %2").arg(devicePath_, strerror(errno));
    return false;
  }
  // A new pseudo-terminal is in cooked mode with echo; a serial line is raw.
  termios tio{};
  ::tcgetattr(line->slave, &tio);
  ::cfmakeraw(&tio);
  ::cfsetspeed(&tio, B19200);
  ::tcsetattr(line->slave, TCSANOW, &tio);
  ::fcntl(line->master, F_SETFL, ::fcntl(line->master, F_GETFL) | O_NONBLOCK);

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = QStringLiteral("cannot create a pipe: %1").arg(strerror(errno));
    return false;
  }
  line->wakeRead = pipeFds[0];
  line->wakeWrite = pipeFds[1];
  line->thread =
      std::thread([served = line.get(), &controller = controller_] { served->Serve(controller); });
  line_ = std::move(line);
  return true;
}

void PtyController::Stop() { line_.reset(); }

void PtyController::Line::Serve(SimulatedController& controller) {
  struct Outgoing {
    std::int64_t dueUs;
    std::uint8_t byte;
  };
  RequestReader reader;
  std::deque<Outgoing> outgoing;  // by due time
  std::int64_t inLineFreeUs = 0;  // when the last received byte finished on the wire
  AnswerSchedule answers;

  while (!stop) {
    const std::int64_t now = MonotonicUs();
    // Hand over every answer byte whose time has come, each at its own moment on the wire.
    while (!outgoing.empty() && outgoing.front().dueUs <= now) {
      const ssize_t n = ::write(master, &outgoing.front().byte, 1);
      if (n < 0 && errno == EAGAIN) {
        // Nobody reads the other end and its queue is full: try again a little later.
        ::usleep(1000);
        break;
      }
      outgoing.pop_front();
    }

    // Sleep until the next answer byte is due, or until the program sends something.
    const std::int64_t waitUs =
        outgoing.empty() ? -1 : std::max<std::int64_t>(0, outgoing.front().dueUs - MonotonicUs());
    timespec timeout{static_cast<time_t>(waitUs / 1'000'000),
                     static_cast<long>(waitUs % 1'000'000) * 1000};
    pollfd fds[2] = {{master, POLLIN, 0}, {wakeRead, POLLIN, 0}};
    if (::ppoll(fds, 2, waitUs < 0 ? nullptr : &timeout, nullptr) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents) break;
    if (!(fds[0].revents & POLLIN)) {
      if (fds[0].revents) ::usleep(10'000);  // error or hang-up: do not spin
      continue;
    }

    std::uint8_t buffer[256];
    const ssize_t got = ::read(master, buffer, sizeof buffer);
    if (got <= 0) continue;
    const std::int64_t arrived = MonotonicUs();
    for (ssize_t i = 0; i < got; ++i) {
      // A byte is in only once it has crossed the wire after the one before it.
      inLineFreeUs = std::max(arrived, inLineFreeUs) + WireTimeUs(1);
      if (reader.Feed(buffer[i], inLineFreeUs) != AssembleResult::FrameOk) continue;
      const std::optional<SimReply> reply = controller.Handle(reader.Frame(), inLineFreeUs);
      if (!reply) continue;
      answers.PlaceReply(
          *reply, inLineFreeUs,
          [](std::size_t size) { return WireTimeUs(static_cast<std::int64_t>(size)); },
          [&](std::span<const std::uint8_t> answer, std::int64_t startUs) {
            for (std::size_t b = 0; b < answer.size(); ++b) {
              const Outgoing byte{startUs + WireTimeUs(static_cast<std::int64_t>(b + 1)),
                                  answer[b]};
              // An answer overtaken by later ones goes in among theirs, where its time is.
              outgoing.insert(std::upper_bound(outgoing.begin(), outgoing.end(), byte.dueUs,
                                               [](std::int64_t due, const Outgoing& queued) {
                                                 return due < queued.dueUs;
                                               }),
                              byte);
            }
          });
    }
  }
}

}  // namespace vor
