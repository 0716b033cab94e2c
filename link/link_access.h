#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "link/live_block.h"
#include "link/serial_link.h"

namespace vor {

// How a link job ended.
enum class JobResult {
  Done,     // the job ran and reported success
  Failed,   // the job ran and reported failure
  Refused,  // the job never ran: another job was running
};

// What the windows need of the controller link. Every exchange runs on the link thread, one job
// at a time, so the port has one user by construction; the calling (user-interface) thread waits
// for a job without freezing and without taking user input. Used from the thread that drives it.
class LinkAccess : public QObject {
  Q_OBJECT
public:
  ~LinkAccess() override = default;

  // Looks for the controller on the ports, as a job: Done when one answered (the link then talks
  // to it), Failed when none did, Refused while another job runs. `operation` names it as
  // RunJob's does.
  virtual JobResult ScanForController(const QString& operation) = 0;
  // The port the controller answered on; empty before a scan found one.
  virtual QString DevicePath() const = 0;
  // A job (RunJob's or the scan) is running; JobFinished follows when it ends.
  virtual bool Busy() const = 0;

  // Runs `job` on the link thread with the program's one link object and returns how it ended.
  // `operation` names the job for the busy indicator ("Reading..."). Refused at once, without
  // running `job`, while another job runs.
  virtual JobResult RunJob(const QString& operation,
                           const std::function<bool(SerialLink&)>& job) = 0;

  // Starts polling the live data on the link thread every `periodMs`: each poll is one
  // ReadLiveBlock on the program's one live block, and its result is handed to `onPoll` on the
  // calling thread, poll by poll, in order. Polls never overlap each other or any job. Replaces a
  // poll already running.
  virtual void StartLivePoll(int periodMs, std::function<void(const LivePoll&)> onPoll) = 0;
  // Stops the poll. When it returns, no live request goes on the wire any more, an exchange in
  // progress has been abandoned (within about 10 ms), and no result of an earlier poll reaches
  // `onPoll`. The live block keeps its bytes. Does nothing while no poll runs.
  virtual void StopLivePoll() = 0;
  virtual bool LivePollRunning() const = 0;

signals:
  // A job that ran has ended; emitted on the driving thread, before the job's call returns.
  void JobFinished();
};

}  // namespace vor
