#include "run/operationthread.h"

OperationThread::OperationThread(std::function<void()> work)
    : done(std::make_shared<std::atomic<bool>>(false)),
      thread([done = done, work = std::move(work)] {
          work();
          done->store(true);
      }) {}
