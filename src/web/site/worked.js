// The teacher's look at a pupil's solved problem (index.html?worked=
// <pupil>.<completion>): the page as the pupil saw it, its steps done again
// by the engine as a reload does them, on the set the pupil had. Nothing can
// be changed, and nothing is kept or sent; 印刷 prints it and the help opens.
'use strict';

const Worked = (() => {
  const asked = /^(\d{1,18})\.(\w{1,64})$/.exec(new URLSearchParams(location.search).get('worked') || '');
  // Printing, scrolling the page and the help change nothing of the work.
  const Open = ['mnuPrint', 'btnPrint', 'BitBtn1', 'btnRollUp', 'mnuUsage', 'OnePoint'];
  const Entries = ['tavolini_click', 'tavolini_menu'];

  async function fetched(path, as = 'json') {
    const response = await fetch('/api/' + path, { credentials: 'same-origin', cache: 'no-store' });
    if (response.status === 401) throw new Error('先生としてサインインしてから開いてください');
    if (!response.ok) throw new Error('');
    return response[as]();
  }

  // "3番 山田花子": the pupil among the teacher's classes; nothing when not found.
  async function pupilName(pupilId) {
    const { classes } = await fetched('classes');
    for (const { id } of classes) {
      const { pupils } = await fetched('classes/' + id + '/pupils');
      const pupil = pupils.find((one) => String(one.id) === pupilId);
      if (pupil) return pupil.number + '番 ' + pupil.name;
    }
    return '';
  }

  function dated(millis) {
    const at = new Date(millis);
    const two = (n) => String(n).padStart(2, '0');
    return `${at.getFullYear()}年${at.getMonth() + 1}月${at.getDate()}日 ${two(at.getHours())}:${two(at.getMinutes())}`;
  }

  // The completion and its set's bytes; the reason in words when they do not come.
  async function load([, pupilId, completionId]) {
    const name = pupilName(pupilId).catch(() => '');
    try {
      const { completions } = await fetched('pupils/' + pupilId + '/completions');
      const completion = completions.find((one) => String(one.id) === completionId);
      if (!completion || !/^[0-9a-f]{64}$/.test(completion.setHash)) throw new Error('');
      const bytes = new Uint8Array(await fetched('sets/' + completion.setHash, 'arrayBuffer'));
      const caption = [await name, completion.unit + ' 問題' + completion.problem, dated(completion.endedAt)];
      return { completion, bytes, caption: caption.filter(Boolean).join('　') };
    } catch (failed) {
      return { message: failed.message || 'この解答を開けませんでした。先生のページからもう一度開いてください' };
    }
  }

  // Read-only: the controls that would change the work stay off whatever the engine says.
  function lock() {
    const setEnabled = view.setEnabled;
    view.setEnabled = (id, on) => setEnabled(id, on && Open.includes(id));
    for (const control of document.querySelectorAll('#pnlMain button, #menus .entries button')) view.setEnabled(control.id, !control.disabled);
  }

  return {
    // In the worked view, the completion and its set on the way: { completion,
    // bytes, caption }, or { message } saying why they did not come.
    loading: asked && load(asked),
    // Whether an action of the engine's may run: in the worked view only those that change nothing.
    allows: (name, args) => !asked || (Entries.includes(name) && Open.includes(args[0])),
    // Instead of a drill: why the work cannot be shown.
    refuse(message) {
      byId('ended').textContent = message;
      view.endProgram();
    },
    // The completion loaded, on its set, through `call` as Place.resume.
    async show(engine, call, { completion, bytes, caption }) {
      byId('workedCaption').textContent = caption;
      byId('workedCaption').hidden = false;
      const path = engine.chosenSetPath(String(completion.setName).replace(/[/\\]/g, '_'));
      engine.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
      engine.FS.writeFile(path, bytes);
      lock();
      if (!await call('tavolini_open_chosen', ['string'], [path]) || !await call('tavolini_resume',
        ['number', 'number', 'string'], [engine.unitTitled(completion.unit), completion.problem, completion.steps])) {
        this.refuse('この解答の手順をやり直せませんでした');
      }
    },
  };
})();
