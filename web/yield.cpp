#include "web/yield.h"

#include <emscripten.h>

// A message to itself: a task queued behind those already waiting,
// without setTimeout's clamp to 4 ms once timeouts nest.
EM_ASYNC_JS(void, wait_for_task_loop, (), {
  await new Promise(function(resolve) {
    var channel = new MessageChannel();
    channel.port1.onmessage = function()
    {
      channel.port1.close();
      resolve();
    };
    channel.port2.postMessage(0);
  });
});

void let_browser_run()
{
  wait_for_task_loop();
}
