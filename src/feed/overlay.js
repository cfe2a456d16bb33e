// Follows the board through the feed's live socket and draws the scorebug. Reconnects by itself, waiting a
// little longer after each failure, so the overlay comes back on its own when the program restarts.
(() => {
  "use strict";

  const byId = (id) => document.getElementById(id);
  const bug = byId("bug");
  const params = new URLSearchParams(location.search);
  const scale = parseFloat(params.get("scale"));
  if (scale > 0 && scale <= 8) {
    document.documentElement.style.setProperty("--scale", String(scale));
  }

  // The words on the bug in the program's language, put into the page by the feed; English without them.
  let texts = {};
  try {
    texts = JSON.parse(byId("texts").textContent) || {};
  } catch (e) {
    texts = {};
  }
  if (texts.lang) {
    document.documentElement.lang = texts.lang;
  }
  for (const [selector, key] of [[".goal", "goal"], [".penalty-box .label", "penalty"]]) {
    if (typeof texts[key] === "string") {
      document.querySelectorAll(selector).forEach((element) => { element.textContent = texts[key]; });
    }
  }

  // A period as the language counts it ("2nd", "2e", "2."); period 0 (before the game) is its bare number.
  function ordinal(text) {
    const n = parseInt(text, 10);
    if (!Number.isFinite(n) || String(n) !== text || n <= 0) {
      return text;
    }
    const known = texts.periods && texts.periods[text];
    if (typeof known === "string") {
      return known;
    }
    const ends = { 1: "st", 2: "nd", 3: "rd" };
    return n + (ends[n] || "th");
  }

  function setText(element, text) {
    if (element.textContent !== text) {
      element.textContent = text;
    }
  }

  // A long team name gets a smaller font until it fits its box, down to a size still readable on a stream;
  // beyond that it is cut with an ellipsis.
  const largestNamePx = 24;
  const smallestNamePx = 15;
  function fitName(element) {
    let size = largestNamePx;
    element.style.fontSize = size + "px";
    while (element.scrollWidth > element.clientWidth && size > smallestNamePx) {
      size -= 1;
      element.style.fontSize = size + "px";
    }
  }

  function drawTeam(side, team) {
    const name = byId(side + "-name");
    if (name.textContent !== team.name) {
      name.textContent = team.name;
      fitName(name);
    }
    setText(byId(side + "-score"), team.score.text);
    const box = byId(side);
    if (box.classList.contains("scored") !== team.goalLight) {
      box.classList.toggle("scored", team.goalLight);
      fitName(name); // GOAL takes room beside the name
    }
    // Penalties with time left; one that has run out stays on the board at 0:00 but not on the bug.
    const running = team.penalties.filter((p) => p.text !== "" && p.light).map((p) => p.text);
    const penalties = byId(side + "-penalties");
    const times = penalties.querySelector(".times");
    const wanted = running.join(" ");
    if (times.dataset.shown !== wanted) {
      times.replaceChildren(...running.map((t) => Object.assign(document.createElement("span"), { textContent: t })));
      times.dataset.shown = wanted;
    }
    penalties.classList.toggle("on", running.length > 0);
  }

  function draw(state) {
    drawTeam("home", state.home);
    drawTeam("visitor", state.visitor);
    setText(byId("period"), ordinal(state.period.text));
    const clock = byId("clock");
    setText(clock, state.clock.text);
    clock.classList.toggle("stopped", !state.clock.running && !state.clock.timeOfDay);
    clock.classList.toggle("last-minute", !state.clock.timeOfDay && state.clock.text.includes("."));
    bug.classList.remove("waiting");
    // The score in the tab's title, for whoever keeps the page open in a browser.
    document.title = `${state.home.name} ${state.home.score.text} - ${state.visitor.score.text} ${state.visitor.name}`;
  }

  const firstDelayMs = 500;
  const longestDelayMs = 5000;
  const fadeAfterMs = 10000;
  let delayMs = firstDelayMs;
  let fadeTimer = null;

  function connect() {
    const scheme = location.protocol === "https:" ? "wss://" : "ws://";
    let socket;
    try {
      socket = new WebSocket(scheme + location.host + "/live");
    } catch (e) {
      retry();
      return;
    }
    socket.onopen = () => {
      delayMs = firstDelayMs;
      clearTimeout(fadeTimer);
      fadeTimer = null;
      bug.classList.remove("lost");
    };
    socket.onmessage = (event) => {
      try {
        draw(JSON.parse(event.data));
      } catch (e) {
        // A document this page cannot read is skipped; the next one will do.
      }
    };
    socket.onclose = retry;
  }

  function retry() {
    // The last state stays up for a while, then the bug fades until the board is back.
    if (fadeTimer === null) {
      fadeTimer = setTimeout(() => bug.classList.add("lost"), fadeAfterMs);
    }
    const wait = delayMs * (0.75 + Math.random() * 0.5);
    delayMs = Math.min(delayMs * 2, longestDelayMs);
    setTimeout(connect, wait);
  }

  connect();
})();
