// The page around the game: storage, scaling, the switches, recordings, the
// player's history and monsters. The game itself (stompvale.js) asks this
// page what each run is, and says when one has ended.
"use strict";

const SAVE = "/save";                      // IndexedDB: kept across reloads
const HISTORY = SAVE + "/History.ini";
const KEPT_MONSTERS = SAVE + "/Monsters";
const RECORDING = "/tmp/page-recording.sgr";
const REPLAY = "/tmp/replay.sgr";
const HISTORY_MOST_BYTES = 4 << 20;        // what the game itself reads at most

const $ = (id) => document.getElementById(id);
const canvas = $("canvas");

// What the next run is, and what to do with the files once this one ends.
const query = new URLSearchParams(location.search);
const plan = {
  sound: false,
  hold: Number(query.get("hold")) || 0, // the first run stops at this frame (for tests)
  record: false,
  replay: false,     // REPLAY holds a recording to play next
  afterRun: [],      // work on the kept files between two runs
};
let runsShown = 0;   // runs whose first frame has reached the canvas

// Calls into the game. Not through ccall: while the game waits for its next
// frame, ccall would answer with a promise kept until the game ends.
function callGame(name, ...args) {
  const allocated = [];
  const values = args.map((arg) => {
    if (typeof arg !== "string") return arg;
    const size = lengthBytesUTF8(arg) + 1;
    const pointer = Module._malloc(size);
    stringToUTF8(arg, pointer, size);
    allocated.push(pointer);
    return pointer;
  });
  try {
    return Module["_" + name](...values);
  } finally {
    allocated.forEach((pointer) => Module._free(pointer));
  }
}

function say(text) {
  $("message").textContent = text;
}

// ----- storage ------------------------------------------------------------

let storing = false, storeAgain = false;
// Writes the in-memory files through to IndexedDB; calls that come while one
// is on its way are folded into one more.
function store() {
  if (storing) { storeAgain = true; return; }
  storing = true;
  FS.syncfs(false, (error) => {
    storing = false;
    if (error) console.warn("could not keep the progress in this browser:", error);
    if (storeAgain) { storeAgain = false; store(); }
    else document.body.dataset.stored = String(Date.now());
  });
}

function exists(path) {
  try { FS.stat(path); return true; } catch (e) { return false; }
}

// ----- the runs -----------------------------------------------------------

function nextRun() {
  let args;
  if (plan.replay) {
    plan.replay = false;
    args = ["--window", "--replay", REPLAY, "--data", "/play"];
    $("checksum").textContent = "";
    delete document.body.dataset.checksum; // the replay's own comes at its end
    document.body.dataset.state = "replaying";
  } else {
    args = ["--window", "--data", "/play", "--history", HISTORY];
    if (plan.record) args.push("--record", RECORDING);
    document.body.dataset.state = plan.record ? "recording" : "playing";
  }
  if (plan.sound) args.push("--sound");
  $("download-recording").disabled = !plan.record;
  return args.join("\n");
}

function runEnded(status) {
  const work = plan.afterRun;
  plan.afterRun = [];
  for (const step of work) {
    try { step(status); } catch (e) { console.error(e); say(String(e)); }
  }
  store();
  showKept();
}

// Ends the current run (it saves as closing the window does), then `step`
// runs before the next one starts.
function betweenRuns(step) {
  plan.afterRun.push(step);
  callGame("page_end_run");
}

function download(bytes, name, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

function readFile(input) {
  return new Promise((resolve, reject) => {
    const file = input.files[0];
    input.value = "";
    if (!file) return;
    const reader = new FileReader();
    reader.onload = () => resolve({ name: file.name, bytes: new Uint8Array(reader.result) });
    reader.onerror = () => reject(reader.error);
    reader.readAsArrayBuffer(file);
  });
}

// ----- recordings ---------------------------------------------------------

function playRecording(bytes) {
  betweenRuns(() => {
    FS.writeFile(REPLAY, bytes);
    plan.replay = true;
  });
}

$("record").addEventListener("change", (event) => {
  const on = event.target.checked;
  betweenRuns(() => { plan.record = on; });
  say(on ? "Recording: the game starts again and everything played is kept." : "");
});

$("download-recording").addEventListener("click", () => {
  betweenRuns(() => {
    if (!exists(RECORDING)) return say("Nothing was recorded.");
    const bytes = FS.readFile(RECORDING);
    window.lastRecording = bytes;
    download(bytes, "gloamward-" + new Date().toISOString().replace(/[:.]/g, "-") + ".sgr",
             "application/octet-stream");
    say("The recording is downloaded; recording goes on in a new game.");
  });
});

$("replay-file").addEventListener("change", async (event) => {
  const file = await readFile(event.target);
  playRecording(file.bytes);
});

// The game prints a replay's or recording's final state: the page shows it.
function print(text) {
  console.log(text);
  const found = /^checksum ([0-9a-f]{16})$/.exec(text);
  if (found) {
    $("checksum").textContent = found[1];
    document.body.dataset.checksum = found[1];
  }
}

// ----- history ------------------------------------------------------------

$("download-history").addEventListener("click", () => {
  betweenRuns(() => {
    if (!exists(HISTORY)) return say("No monster has been defeated yet: there is no history.");
    download(FS.readFile(HISTORY), "History.ini", "text/plain");
  });
});

$("history-file").addEventListener("change", async (event) => {
  const file = await readFile(event.target);
  if (file.bytes.length > HISTORY_MOST_BYTES) {
    return say(file.name + " is larger than 4 MB, more than a history holds; nothing changed.");
  }
  betweenRuns(() => {
    FS.writeFile(HISTORY, file.bytes);
    say("The history of " + file.name + " is loaded.");
  });
});

$("start-over").addEventListener("click", () => {
  if (!confirm("Forget every defeat and start again from the first monster?")) return;
  betweenRuns(() => {
    if (exists(HISTORY)) FS.unlink(HISTORY);
    say("Every monster is undefeated again.");
  });
});

// ----- monsters -----------------------------------------------------------

function keptMonsters() {
  if (!exists(KEPT_MONSTERS)) return [];
  return FS.readdir(KEPT_MONSTERS).filter((name) => name !== "." && name !== "..").sort();
}

function showKept() {
  const names = keptMonsters();
  $("kept-count").textContent = String(names.length);
  const list = $("kept-list");
  list.replaceChildren();
  for (const name of names) {
    const item = document.createElement("li");
    item.textContent = name + " ";
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = "Remove";
    remove.addEventListener("click", () => {
      betweenRuns(() => {
        callGame("page_remove_monster", name);
        say(name + " is removed.");
      });
    });
    item.appendChild(remove);
    list.appendChild(item);
  }
}

// The checker compiled into the page decides; an accepted picture is kept
// and the game starts again with it among the monsters.
function checkMonster(name, bytes) {
  const folder = "/tmp/dropped";
  if (!exists(folder)) FS.mkdir(folder);
  const path = folder + "/" + name.replace(/\//g, "_");
  FS.writeFile(path, bytes);
  const answer = callGame("page_check_monster", path);
  const text = UTF8ToString(answer);
  Module._free(answer);
  FS.unlink(path);
  const accepted = text[0] === "1";
  $("verdict").textContent = text.slice(2);
  $("verdict").className = accepted ? "accepted" : "refused";
  document.body.dataset.verdict = accepted ? "accepted" : "refused";
  if (accepted) betweenRuns(() => {});
  else store();
  showKept();
}

$("monster-file").addEventListener("change", async (event) => {
  const file = await readFile(event.target);
  checkMonster(file.name, file.bytes);
});

for (const target of [$("drop"), canvas]) {
  target.addEventListener("dragover", (event) => {
    event.preventDefault();
    $("drop").classList.add("over");
  });
  target.addEventListener("dragleave", () => $("drop").classList.remove("over"));
  target.addEventListener("drop", (event) => {
    event.preventDefault();
    $("drop").classList.remove("over");
    const file = event.dataTransfer.files[0];
    if (!file) return;
    file.arrayBuffer().then((buffer) => checkMonster(file.name, new Uint8Array(buffer)));
  });
}

// ----- sound, full screen, scaling ----------------------------------------

$("sound").addEventListener("change", (event) => {
  plan.sound = event.target.checked;
  // Browsers start sound only after a click or a key: this is one.
  const context = Module.SDL2 && Module.SDL2.audioContext;
  if (context && context.state === "suspended") context.resume();
  callGame("page_set_sound", plan.sound ? 1 : 0);
  canvas.focus();
});

$("fullscreen").addEventListener("click", () => {
  const stage = $("stage");
  if (stage.requestFullscreen) stage.requestFullscreen().then(() => canvas.focus(), () => {});
});

// The largest whole factor that fits, pixels kept sharp; below 1x, smooth.
// The options screen may choose smooth scaling to fit at every size.
let smoothScaling = false;
function scale() {
  const stage = $("stage");
  const full = document.fullscreenElement === stage;
  const roomWidth = full ? window.innerWidth : document.documentElement.clientWidth - 16;
  const roomHeight = full ? window.innerHeight : window.innerHeight - 16;
  const fit = Math.min(roomWidth / canvas.width, roomHeight / canvas.height);
  const factor = fit >= 1 && !smoothScaling ? Math.floor(fit) : fit;
  canvas.style.width = Math.round(canvas.width * factor) + "px";
  canvas.style.height = Math.round(canvas.height * factor) + "px";
  canvas.classList.toggle("smooth", factor < 1 || (smoothScaling && factor !== 1));
}
window.addEventListener("resize", scale);
document.addEventListener("fullscreenchange", scale);
new MutationObserver(scale).observe(canvas, { attributes: true, attributeFilter: ["width", "height"] });

// ----- the game's module --------------------------------------------------

// Browsers load no WebAssembly from file:// addresses.
if (location.protocol === "file:") {
  $("loading").textContent = "The game needs a web server: run bash scripts/web.sh, " +
    "or serve this folder with any web server (python3 -m http.server, say).";
}

window.Module = {
  canvas,
  print,
  printErr(text) {
    console.warn(text);
    if (text) say(text);
  },
  page: {
    nextRun, runEnded, store, callGame,
    holdFrame() { const frame = plan.hold; plan.hold = 0; return frame; },
    held(frame) { document.body.dataset.held = String(frame); },
    shown() { document.body.dataset.shown = String(++runsShown); },
    setSmooth(smooth) { smoothScaling = smooth; scale(); },
  },
  preRun: [() => {
    FS.mkdir(SAVE);
    FS.mount(IDBFS, {}, SAVE);
    addRunDependency("kept files");
    FS.syncfs(true, (error) => {
      if (error) console.warn("this browser keeps nothing: progress lasts until the page closes", error);
      if (!exists(KEPT_MONSTERS)) FS.mkdir(KEPT_MONSTERS);
      removeRunDependency("kept files");
    });
    const replay = query.get("replay");
    if (replay) {
      addRunDependency("replay");
      fetch(replay).then((response) => {
        if (!response.ok) throw new Error(replay + ": " + response.status + " " + response.statusText);
        return response.arrayBuffer();
      }).then((buffer) => {
        FS.writeFile(REPLAY, new Uint8Array(buffer));
        plan.replay = true;
      }, (error) => say("The recording could not be fetched: " + error.message))
        .finally(() => removeRunDependency("replay"));
    }
  }],
  // The game could not start (its files did not load, or the browser has no
  // WebAssembly): the loading line says so instead of waiting for ever.
  onAbort(what) {
    const loading = $("loading");
    if (loading) loading.textContent = "The game could not start: " + what;
  },
  onRuntimeInitialized() {
    $("loading").remove();
    document.body.dataset.ready = "yes";
    showKept();
    scale();
    canvas.focus();
  },
};
