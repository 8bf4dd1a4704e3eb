// The simulator on a pseudo-terminal: a client opens the slave device as it would open a
// serial port and talks to the simulated receiver through it. The slave is set raw (no
// translation of CR or LF, no echo by the line discipline), 57600 baud, 8N1.
//
// Serving runs on the caller's thread (serve) or on a thread of its own (start/stop). It
// sleeps in poll() until the client sends something, the next output byte is due, or a stop
// is asked for; while it serves, the thread's timer slack is the least there is, so that each
// byte goes out when it is due. When the receiver closes the port (a fault option) the master
// is closed once the client has read the last reply, and serving ends.
#pragma once

#include "link/output_schedule.h"
#include "link/receiver_simulator.h"
#include "model/result.h"

#include <QString>

#include <memory>
#include <optional>
#include <thread>

namespace rqm27 {

class PtySimulator {
 public:
  static Result<std::unique_ptr<PtySimulator>> Open(std::shared_ptr<ReceiverSimulator> simulator);
  ~PtySimulator();
  PtySimulator(const PtySimulator&) = delete;
  PtySimulator& operator=(const PtySimulator&) = delete;

  // The slave's path, such as "/dev/pts/4".
  QString devicePath() const { return path_; }

  // Serves until a stop is asked for, `stopFd` (when not -1) becomes readable, or the receiver
  // closes the port. Fails when the pseudo-terminal fails.
  Status serve(int stopFd = -1);

  // serve() on a thread of its own; stop() asks it to end, waits and returns its result.
  void start();
  Status stop();

  // Asks serve() to return; safe from any thread.
  void requestStop();

 private:
  PtySimulator(std::shared_ptr<ReceiverSimulator> simulator, int master, int slave, int stopRead,
               int stopWrite, QString path);
  // One round of serving: sends what is due, then sleeps until there is more to do. A result
  // ends serving.
  std::optional<Status> serveRound(int stopFd);
  std::optional<Status> waitAndReceive(int stopFd);
  Status receive();
  Status send();
  void lingerAndClose(int stopFd);
  void closeTerminal();

  std::shared_ptr<ReceiverSimulator> simulator_;
  int master_;
  int slave_;
  int stopRead_;
  int stopWrite_;
  QString path_;
  OutputSchedule output_;
  QByteArray unsent_;
  std::thread thread_;
  std::optional<Status> threadResult_;
};

}  // namespace rqm27
