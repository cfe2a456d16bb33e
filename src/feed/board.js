// The public board in a browser: draws the layout the program serves at /board/layout.json, scaled to the
// window as the program scales its board, with the digits and lights of the live state from /live.
(function () {
  'use strict';

  var TWIPS = 15;          // twips to a pixel, as the board is designed
  var LOST_MS = 5000;      // no news this long: the connection is taken as lost
  var canvas = document.getElementById('board');
  var ctx = canvas.getContext('2d');
  var lost = document.getElementById('lost');
  var lostText = document.getElementById('lost-text');

  var layout = null;
  var layoutVersion = null;
  var fetching = false;
  var state = null;
  var lastText = '';
  var lastNews = Date.now();
  var socket = null;
  var retryMs = 500;
  var connectStartedAt = 0;
  var CONNECT_MS = 10000;  // a connection attempt that has not opened by then is given up and started again
  var hasDrawn = false;

  function lookup(doc, path) {
    var parts = path.split('.');
    var v = doc;
    for (var i = 0; i < parts.length && v !== undefined && v !== null; i++) {
      v = v[parts[i]];
    }
    return v;
  }

  // The board's rounding: halves to the even neighbour.
  function roundHalfEven(x) {
    var r = Math.round(x);
    if (Math.abs(x % 1) === 0.5 && r % 2 !== 0) {
      r -= 1;
    }
    return r;
  }
  function toPixels(twips) {
    return Math.round(twips / TWIPS);
  }
  function atLeastOne(x) {
    return x >= 1 ? x : 1;
  }
  // A digit's Size becomes a whole number; its box is the largest odd height not above it and the even width
  // nearest 0.55 of it.
  function ledBox(size) {
    var s = Math.min(32767, Math.max(1, isNaN(size) ? 1 : roundHalfEven(size)));
    return { w: Math.max(1, 2 * Math.floor((11 * s + 20) / 40)), h: Math.max(1, s % 2 === 1 ? s : s - 1) };
  }
  // A label's font follows the height ratio unless its text would then run past the label's width.
  function labelFontRatio(textWidth, labelWidth, wr, hr) {
    var overflows = textWidth > 0 && labelWidth > 0 && hr * textWidth > wr * labelWidth;
    return overflows ? Math.min(wr, hr) : hr;
  }
  // The team-name size for a window of the given outer size in twips.
  function teamPoints(value, width, height) {
    return height / 3 < width / 4 ? value / 7200 * height : value / 9600 * width;
  }
  function pointsToPixels(points) {
    return Math.max(1, Math.round(points * 96 / 72));
  }

  function intersect(a, b) {
    var x = Math.max(a.x, b.x), y = Math.max(a.y, b.y);
    return {
      x: x,
      y: y,
      w: Math.max(0, Math.min(a.x + a.w, b.x + b.w) - x),
      h: Math.max(0, Math.min(a.y + a.h, b.y + b.h) - y)
    };
  }

  function font(c, px) {
    var family = c.family ? '"' + c.family.replace(/["\\]/g, '') + '", ' : '';
    return (c.bold ? 'bold ' : '') + px + 'px ' + family + '"Liberation Sans", Arial, sans-serif';
  }

  function drawLabel(c, box, px, centred) {
    ctx.save();
    ctx.beginPath();
    ctx.rect(box.x, box.y, box.w, box.h);
    ctx.clip();
    ctx.font = font(c, px);
    ctx.fillStyle = c.colour;
    ctx.textBaseline = 'alphabetic';
    var m = ctx.measureText(c.text);
    var ascent = m.fontBoundingBoxAscent !== undefined ? m.fontBoundingBoxAscent : px * 0.905;
    var descent = m.fontBoundingBoxDescent !== undefined ? m.fontBoundingBoxDescent : px * 0.212;
    var x = box.x;
    if (centred || c.align === 'center') {
      ctx.textAlign = 'center';
      x = box.x + box.w / 2;
    } else if (c.align === 'right') {
      ctx.textAlign = 'right';
      x = box.x + box.w;
    } else {
      ctx.textAlign = 'left';
    }
    var y = box.y + ascent;
    if (centred || c.valign === 'middle') {
      y = box.y + Math.floor((box.h - (ascent + descent)) / 2) + ascent;
    }
    ctx.fillText(c.text, x, y);
    ctx.restore();
  }

  function drawShape(c, box, fill, bw) {
    var x = box.x, y = box.y, w = box.w, h = box.h;
    if (c.kind === 'circle') {
      var side = Math.min(w, h);
      x += (w - side) / 2;
      y += (h - side) / 2;
      w = h = side;
    }
    var ox = x + bw / 2, oy = y + bw / 2, ow = w - bw, oh = h - bw;
    ctx.save();
    ctx.lineWidth = bw;
    ctx.strokeStyle = c.border;
    ctx.lineJoin = 'miter';
    ctx.beginPath();
    if (c.kind === 'rectangle') {
      ctx.rect(ox, oy, ow, oh);
    } else {
      ctx.ellipse(ox + ow / 2, oy + oh / 2, Math.max(0, ow / 2), Math.max(0, oh / 2), 0, 0, 2 * Math.PI);
    }
    if (fill) {
      ctx.fillStyle = fill;
      ctx.fill();
    }
    ctx.stroke();
    ctx.restore();
  }

  function drawDigit(c, box, caption, lit) {
    ctx.fillStyle = c.back;
    ctx.fillRect(box.x, box.y, box.w, box.h);
    if (!(caption >= 0 && caption <= 9)) {
      return;
    }
    var led = layout.led;
    var scale = Math.min(box.w / led.box[0], box.h / led.box[1]);
    var ox = box.x + (box.w - led.box[0] * scale) / 2;
    var oy = box.y + (box.h - led.box[1] * scale) / 2;
    ctx.fillStyle = lit;
    ctx.beginPath();
    var parts = led.lit[caption] || [];
    for (var i = 0; i < parts.length; i++) {
      if (led.style === 'dots') {
        var d = led.centres[parts[i]];
        var cx = ox + d[0] * scale, cy = oy + d[1] * scale, r = led.radius * scale;
        ctx.moveTo(cx + r, cy);
        ctx.arc(cx, cy, r, 0, 2 * Math.PI);
      } else {
        var poly = led.shapes[parts[i]];
        for (var k = 0; k < poly.length; k++) {
          var px = ox + poly[k][0] * scale, py = oy + poly[k][1] * scale;
          if (k === 0) {
            ctx.moveTo(px, py);
          } else {
            ctx.lineTo(px, py);
          }
        }
        ctx.closePath();
      }
    }
    ctx.fill();
  }

  function draw() {
    if (!layout) {
      return;
    }
    var dpr = window.devicePixelRatio || 1;
    var cssW = window.innerWidth, cssH = window.innerHeight;
    if (canvas.width !== Math.round(cssW * dpr) || canvas.height !== Math.round(cssH * dpr)) {
      canvas.width = Math.round(cssW * dpr);
      canvas.height = Math.round(cssH * dpr);
      canvas.style.width = cssW + 'px';
      canvas.style.height = cssH + 'px';
    }
    ctx.setTransform(dpr, 0, 0, dpr, 0, 0);
    ctx.fillStyle = layout.background;
    ctx.fillRect(0, 0, cssW, cssH);
    // The window's client area in twips; every control follows the ratios of it to the recorded layout.
    var W = cssW * TWIPS, H = cssH * TWIPS;
    var wr = W / layout.design.width, hr = H / layout.design.height;
    var team = teamPoints(layout.teamSize, W + layout.design.frameWidth, H + layout.design.frameHeight);
    var boxes = [];
    for (var i = 0; i < layout.controls.length; i++) {
      var c = layout.controls[i];
      var parent = c.parent >= 0 ? boxes[c.parent] : { x: 0, y: 0 };
      var box = { x: parent.x + toPixels(wr * c.left), y: parent.y + toPixels(hr * c.top) };
      if (c.type === 'digit') {
        var led = ledBox(atLeastOne(hr * c.size));
        box.w = led.w;
        box.h = led.h;
      } else {
        box.w = Math.max(1, toPixels(atLeastOne(wr * c.width)));
        box.h = Math.max(1, toPixels(atLeastOne(hr * c.height)));
      }
      // A control inside another is cut off at its container's edges, as child windows are.
      box.clip = parent.clip ? intersect(parent.clip, box) : { x: box.x, y: box.y, w: box.w, h: box.h };
      boxes.push(box);
      ctx.save();
      if (parent.clip) {
        ctx.beginPath();
        ctx.rect(parent.clip.x, parent.clip.y, parent.clip.w, parent.clip.h);
        ctx.clip();
      }
      var on = null;
      if (c.bind && state) {
        var v = lookup(state, c.bind.path);
        if (c.bind.test === 'digit') {
          on = v;
        } else if (c.bind.test === 'units') {
          on = typeof v === 'number' ? v % 10 : -1;
        } else if (c.bind.test === 'tens') {
          on = typeof v === 'number' && v >= 10 ? Math.floor(v / 10) % 10 : -1;
        } else if (c.bind.test === 'player') {
          on = !!v && typeof v.player === 'number' && !!v.digits && v.digits[0] >= 0;
        } else if (c.bind.test === 'shown') {
          on = typeof v === 'number' && v >= 0;
        } else {
          on = v === true;
        }
      }
      // A player's number stands beside a penalty only while it names a player and shows a time.
      if (parent.skip || (c.bind && c.bind.test === 'player' && !on)) {
        box.skip = true;
        ctx.restore();
        continue;
      }
      if (c.type === 'box') {
        ctx.fillStyle = c.back;
        ctx.fillRect(box.x, box.y, box.w, box.h);
      } else if (c.type === 'digit') {
        drawDigit(c, box, typeof on === 'number' ? on : -1, c.lit);
      } else if (c.type === 'shape') {
        var fill = c.fill;
        if (c.bind) {
          fill = on ? c.bind.on : c.bind.off;
        }
        var bw = Math.max(1, Math.round(atLeastOne(hr * c.borderWidth)));
        drawShape(c, box, fill, bw);
      } else if (c.type === 'label') {
        if (c.teamName) {
          drawLabel(c, parent.w !== undefined ? parent : box, pointsToPixels(team), true);
        } else {
          var points = atLeastOne(labelFontRatio(c.textWidth, c.width, wr, hr) * c.fontPoints);
          drawLabel(c, box, pointsToPixels(points), false);
        }
      }
      ctx.restore();
    }
    hasDrawn = true;
  }

  function fetchLayout(version) {
    if (fetching) {
      return;
    }
    fetching = true;
    fetch('/board/layout.json', { cache: 'no-store' })
      .then(function (r) {
        if (!r.ok) {
          throw new Error('layout ' + r.status);
        }
        return r.json();
      })
      .then(function (doc) {
        fetching = false;
        layout = doc;
        layoutVersion = version;
        lostText.textContent = doc.lostText || 'Connection lost';
        draw();
      })
      .catch(function () {
        fetching = false;
        setTimeout(function () {
          if (state) {
            fetchLayout(state.layout);
          }
        }, 1000);
      });
  }

  function received(text) {
    lastNews = Date.now();
    showLost(false);
    if (text === lastText) {
      return;
    }
    var doc;
    try {
      doc = JSON.parse(text);
    } catch (e) {
      return;
    }
    if (!doc || typeof doc !== 'object' || !doc.clock) {
      return; // a keep-alive frame
    }
    lastText = text;
    state = doc;
    if (doc.layout !== layoutVersion || !layout) {
      fetchLayout(doc.layout);
    }
    draw();
  }

  // The page's connection as the body's data-connection: waiting (nothing heard yet), live or lost.
  function showLost(show) {
    var connection = show ? 'lost' : 'live';
    if (document.body.dataset.connection === connection) {
      return;
    }
    lost.hidden = !show;
    document.body.dataset.connection = connection;
  }

  function connect() {
    var scheme = location.protocol === 'https:' ? 'wss://' : 'ws://';
    var ws;
    try {
      ws = new WebSocket(scheme + location.host + '/live?keepalive');
    } catch (e) {
      setTimeout(connect, retryMs);
      return;
    }
    socket = ws;
    connectStartedAt = Date.now();
    ws.onopen = function () {
      retryMs = 500;
    };
    ws.onmessage = function (event) {
      if (typeof event.data === 'string') {
        received(event.data);
      }
    };
    ws.onclose = function () {
      if (socket === ws) {
        socket = null;
        setTimeout(connect, retryMs);
        retryMs = Math.min(retryMs * 2, 5000);
      }
    };
    ws.onerror = function () {
      ws.close();
    };
  }

  setInterval(function () {
    var quiet = Date.now() - lastNews;
    if (quiet > LOST_MS) {
      showLost(true);
      // A connection that hears nothing may be half open, and an attempt may hang on a network that dropped
      // it: start again.
      var stuck = socket && socket.readyState === WebSocket.CONNECTING && Date.now() - connectStartedAt > CONNECT_MS;
      if (socket && (socket.readyState === WebSocket.OPEN || stuck)) {
        var old = socket;
        socket = null;
        old.close();
        connect();
      }
    }
  }, 500);

  window.addEventListener('resize', draw);
  document.body.dataset.connection = 'waiting';
  connect();
  // For tests and benchmarks: whether the board has been drawn and the last state it drew.
  window.rinkmasterBoard = {
    drawn: function () { return hasDrawn; },
    lastState: function () { return lastText; }
  };
}());
