// Printing: the engine lays the printout out as sheets of SVG; the page puts
// them where only the printer sees them and asks the browser to print. The
// dialog's number boxes tell the engine of every change.
'use strict';

Object.assign(view, {
  printPages(pages) {
    byId('printPages').innerHTML = pages.join('');
    // The scenario driver stands in for the browser's print dialog.
    if (window.tavoliniPrint) window.tavoliniPrint(); else window.print();
  },

  // The page window as it shows: its rows' pictures where they stand, on its background.
  pageWindowPicture() {
    const frame = byId('frmPage');
    const area = frame.getBoundingClientRect();
    const width = frame.clientWidth;
    const height = frame.clientHeight;
    const ratio = Math.max(1, window.devicePixelRatio);
    const picture = document.createElement('canvas');
    picture.width = Math.round(width * ratio);
    picture.height = Math.round(height * ratio);
    const context = picture.getContext('2d');
    context.scale(ratio, ratio);
    context.fillStyle = getComputedStyle(frame).backgroundColor;
    context.fillRect(0, 0, width, height);
    // In the order they stack: the brace over the rows, the answer box over both.
    const layer = (element) => {
      for (; element !== frame; element = element.parentElement) {
        const z = parseInt(getComputedStyle(element).zIndex, 10);
        if (!Number.isNaN(z)) return z;
      }
      return 0;
    };
    const shown = [...frame.querySelectorAll('canvas')].filter((canvas) => canvas.offsetParent); // not hidden
    for (const canvas of shown.sort((a, b) => layer(a) - layer(b))) {
      const at = canvas.getBoundingClientRect();
      context.drawImage(canvas, at.left - area.left, at.top - area.top, at.width, at.height);
    }
    return { url: picture.toDataURL('image/png'), width, height };
  },
});

byId('dialog').addEventListener('input', (event) => {
  if (event.target.dataset.changeReply) view.reply(Number(event.target.dataset.changeReply));
});
