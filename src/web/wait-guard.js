// Only the functions on the way from the page's calls to the wait for a
// dialog can wait (waiting-functions.txt). One left out of that list would
// go on running while the engine unwinds to wait, or run again while it
// comes back: it would call the page, which nothing does between the start
// of a wait and its end. Such a call stops the engine at once.
(function () {
  const waits = [__asyncjs__nextDialogReply, __asyncjs__placeChosenFile, __asyncjs__keepOnDevice];
  for (const name of Object.keys(asmLibraryArg)) {
    const call = asmLibraryArg[name];
    if (typeof call !== 'function' || waits.includes(call)) continue;
    asmLibraryArg[name] = function () {
      if (Asyncify.state !== Asyncify.State.Normal) {
        abort(call.name + ' called while the engine waits for a dialog: a function on the way to the wait is not in ' +
          'the list of those that can wait');
      }
      return call.apply(null, arguments);
    };
  }
})();

// A question the page asks while the engine waits (what it shows, whether
// there are unsaved edits) runs at once and is answered at once. Emscripten
// would take any call made during a wait for the one that waits: it would
// give a promise that ends only with the dialog, and take that end away from
// the waiting action, which would then never end. A call that would wait in
// its turn, while another does, stops the engine.
(function () {
  function answeringAtOnce(call) {
    return function () {
      const waiting = Asyncify.currData;
      if (!waiting) return call.apply(this, arguments);
      Asyncify.currData = null;
      try {
        const answer = call.apply(this, arguments);
        if (Asyncify.currData) abort('an engine call waited while another waits for a dialog');
        return answer;
      } finally {
        Asyncify.currData = waiting;
      }
    };
  }
  const craft = craftInvokerFunction;
  craftInvokerFunction = function () {
    return answeringAtOnce(craft.apply(null, arguments));
  };
  Module['ccall'] = answeringAtOnce(ccall);
})();
