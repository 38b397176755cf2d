// The browser page in Debian's Chromium, against the native game: the same
// frame pixel for pixel, recordings that agree both ways, progress kept over
// a reload, dropped monsters judged by the game's own checker.
//
//   node page_test.mjs SITE NATIVE_GAME GAME DATA
//     SITE         the built page (build-web/site)
//     NATIVE_GAME  web_native_game from the native test build
//     GAME         the native windowed game, DATA its data folder
//   PAGE_LOG=1 prints the page's console as well.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, writeFileSync, rmSync, copyFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { serveSite, launchChromium } from "./site_server.mjs";

const [site, nativeGame, game, data] = process.argv.slice(2);
if (!data) {
  console.error("usage: node page_test.mjs SITE NATIVE_GAME GAME DATA");
  process.exit(2);
}
const scratch = mkdtempSync(join(tmpdir(), "stompvale-web-"));
const WALL = "0 Wall 0-0-0.gif";
const VIEW = { width: 1023, height: 768 };

let failures = 0;
function check(ok, what) {
  console.log((ok ? "ok   " : "FAIL ") + what);
  if (!ok) failures++;
}

// ----- the page, served from a free loopback port --------------------------

const server = await serveSite(site, scratch);
const origin = server.origin;
const browser = await launchChromium(join(scratch, "profile"));

const consoleErrors = [];
async function openPage(context, query = "") {
  const page = await context.newPage();
  await page.setViewport({ width: 1200, height: 1000, deviceScaleFactor: 1 });
  page.on("console", (message) => {
    if (message.type() === "error") consoleErrors.push(message.text());
  });
  page.on("pageerror", (error) => consoleErrors.push(String(error)));
  page.on("console", (message) => { if (process.env.PAGE_LOG) console.log("page:", message.text()); });
  page.on("dialog", (dialog) => {
    consoleErrors.push("unexpected dialog: " + dialog.message());
    dialog.dismiss();
  });
  const start = Date.now();
  await page.goto(origin + "/" + query);
  await page.waitForSelector("body[data-ready=yes]", { timeout: 30000 });
  page.loadMilliseconds = Date.now() - start;
  return page;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The canvas as the player sees it, decoded by the page into RGBA.
async function canvasPixels(page) {
  const box = await (await page.$("#canvas")).boundingBox();
  const shot = await page.screenshot({ clip: box, encoding: "base64" });
  return decodePng(page, "data:image/png;base64," + shot);
}
async function decodePng(page, url) {
  return page.evaluate(async (source) => {
    const image = new Image();
    image.src = source;
    await image.decode();
    const canvas = document.createElement("canvas");
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext("2d");
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    return { width: image.width, height: image.height, pixels: Array.from(pixels) };
  }, url);
}

// How far the mountains moved between two pictures (negative: to the left,
// as the camera follows a man walking right): the best match of their rows.
function sceneShift(before, after) {
  const rows = [380, 400, 420, 440];
  let best = 0, bestMisses = Infinity;
  for (let shift = -200; shift <= 200; shift++) {
    let misses = 0;
    for (const y of rows) {
      for (let x = 250; x < 750; x++) {
        const i = (y * before.width + x) * 4, j = (y * after.width + x + shift) * 4;
        if (before.pixels[i] !== after.pixels[j] || before.pixels[i + 2] !== after.pixels[j + 2]) misses++;
      }
    }
    if (misses < bestMisses) { bestMisses = misses; best = shift; }
  }
  return best;
}

function samePixels(a, b) {
  if (a.width !== b.width || a.height !== b.height) return -1;
  let differ = 0;
  for (let i = 0; i < a.pixels.length; i += 4) {
    if (a.pixels[i] !== b.pixels[i] || a.pixels[i + 1] !== b.pixels[i + 1] ||
        a.pixels[i + 2] !== b.pixels[i + 2]) differ++;
  }
  return differ;
}

async function keptFile(page, path) {
  return page.evaluate((p) => {
    try { return new TextDecoder().decode(FS.readFile(p)); } catch (e) { return null; }
  }, path);
}

async function press(page, key, holdMs = 80) {
  await page.keyboard.down(key);
  await sleep(holdMs);
  await page.keyboard.up(key);
}

// Into play from the title, right up to the wall monster (it enters 170
// game pixels away; the man walks 20 a second), F three times to empty its
// hit points, then a full strike into the white of its side: a defeat, which
// shows in the history once the monster has sunk.
async function defeatTheWall(page) {
  await press(page, "Enter");
  await sleep(1000);
  await page.keyboard.down("ArrowRight");
  await sleep(13000);
  await page.keyboard.up("ArrowRight");
  await sleep(800);
  for (let i = 0; i < 3; i++) {
    await press(page, "f", 100);
    await sleep(200);
  }
  await page.keyboard.down("z");
  await sleep(1600);
  await page.keyboard.down("ArrowRight");
  await sleep(100);
  await page.keyboard.up("z");
  await sleep(100);
  await page.keyboard.up("ArrowRight");
  await page.waitForFunction((name) => {
    try {
      return new TextDecoder().decode(FS.readFile("/save/History.ini")).includes(name + ",1");
    } catch (e) { return false; }
  }, { timeout: 15000 }, WALL).catch(() => {});
}

function nativeChecksum(recording) {
  const out = execFileSync(game, ["--replay", recording, "--headless", "--data", data],
    { encoding: "utf8" });
  return /checksum ([0-9a-f]{16})/.exec(out)?.[1];
}

try {
  // --- the title, pixel for pixel, and a native recording replayed ----------
  {
    const recording = join(scratch, "native.sgr");
    const recorded = execFileSync(nativeGame, ["record", data, recording], { encoding: "utf8" });
    const checksum = /checksum ([0-9a-f]{16})/.exec(recorded)[1];
    const frame = 200;
    execFileSync(nativeGame, ["view", data, recording, String(frame), join(scratch, "view.png")]);
    const context = await browser.createBrowserContext();
    const page = await openPage(context, `?replay=/fixtures/native.sgr&hold=${frame}`);
    check(page.loadMilliseconds < 2000, `the page is ready ${page.loadMilliseconds} ms after loading`);
    await page.waitForSelector(`body[data-held="${frame}"]`, { timeout: 20000 });
    const shown = await canvasPixels(page);
    const native = await decodePng(page, "data:image/png;base64," +
      readFileSync(join(scratch, "view.png")).toString("base64"));
    check(shown.width === VIEW.width && shown.height === VIEW.height,
      `the canvas shows the ${VIEW.width} x ${VIEW.height} view (${shown.width} x ${shown.height})`);
    const differ = samePixels(shown, native);
    check(differ === 0, `frame ${frame} of the title equals the native view (${differ} pixels differ)`);
    await page.evaluate(() => { Module.page.callGame("page_release"); });
    await page.waitForFunction(() => document.getElementById("checksum").textContent !== "",
      { timeout: 30000 });
    const shownChecksum = await page.$eval("#checksum", (e) => e.textContent);
    check(shownChecksum === checksum,
      `the native recording replays in the page to ${shownChecksum} (native ${checksum})`);
    await context.close();
  }

  // --- walking, pausing, and a recording made in the page -------------------
  {
    const context = await browser.createBrowserContext();
    const page = await openPage(context);
    await page.click("#record");
    await page.waitForSelector("body[data-state=recording]");
    await sleep(500);
    await press(page, "Enter");
    await sleep(2500);
    const before = await canvasPixels(page);
    await page.keyboard.down("ArrowRight");
    await sleep(1500);
    await page.keyboard.up("ArrowRight");
    const shift = sceneShift(before, await canvasPixels(page));
    check(shift < -10, `holding Right walks the man: the view follows him ${-shift} pixels`);
    await press(page, "p");
    await sleep(300);
    const paused1 = await canvasPixels(page);
    await sleep(800);
    const paused2 = await canvasPixels(page);
    check(samePixels(paused1, paused2) === 0, "P pauses: nothing moves for 0.8 s");
    await press(page, "p");
    await sleep(300);
    const resumed = await canvasPixels(page);
    check(samePixels(paused2, resumed) > 0, "P again plays on");

    // The options screen, in the same recording: it pauses the game, and
    // its choices are kept in the browser's storage.
    await press(page, "Tab");
    await sleep(300);
    const options1 = await canvasPixels(page);
    await sleep(600);
    check(samePixels(options1, await canvasPixels(page)) === 0 && samePixels(resumed, options1) > 0,
      "Tab opens the options screen over the paused game");
    for (let i = 0; i < 6; i++) { await press(page, "ArrowDown", 60); await sleep(60); }
    await press(page, "Enter");
    await sleep(100);
    await press(page, "Escape");
    await page.waitForFunction(() => {
      try { return new TextDecoder().decode(FS.readFile("/save/Settings.ini")).includes("Timer = on"); }
      catch (e) { return false; }
    }, { timeout: 5000 }).catch(() => {});
    check((await keptFile(page, "/save/Settings.ini") || "").includes("Timer = on"),
      "the timer turned on there is kept in Settings.ini, and Escape closed the screen");
    check(await page.evaluate(() => document.body.dataset.state) === "recording",
      "Escape on the options screen does not quit the game");

    await page.click("#download-recording");
    await page.waitForFunction(() => window.lastRecording && document.body.dataset.checksum,
      { timeout: 20000 });
    const bytes = await page.evaluate(() => Array.from(window.lastRecording));
    const pageChecksum = await page.evaluate(() => document.body.dataset.checksum);
    const file = join(scratch, "page.sgr");
    writeFileSync(file, Buffer.from(bytes));
    const native = nativeChecksum(file);
    check(native === pageChecksum,
      `a recording made in the page replays natively to ${native} (page ${pageChecksum})`);
    await context.close();
  }

  // --- a game pad, through the browser's Gamepad API ------------------------
  {
    const context = await browser.createBrowserContext();
    const page = await openPage(context);
    // A pad of the standard layout, as Chromium reports a real one.
    await page.evaluate(() => {
      const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
      const pad = { id: "Test pad (STANDARD GAMEPAD)", index: 0, connected: true,
        mapping: "standard", timestamp: performance.now(), axes: [0, 0, 0, 0], buttons };
      navigator.getGamepads = () => [pad, null, null, null];
      const event = new Event("gamepadconnected");
      event.gamepad = pad;
      window.dispatchEvent(event);
      window.testPad = pad;
    });
    const padButton = (index, down) => page.evaluate((i, d) => {
      window.testPad.buttons[i] = { pressed: d, touched: d, value: d ? 1 : 0 };
      window.testPad.timestamp = performance.now();
    }, index, down);
    await press(page, "Enter");
    await sleep(2500);
    const before = await canvasPixels(page);
    await padButton(15, true); // the pad's right
    await sleep(1500);
    await padButton(15, false);
    const shift = sceneShift(before, await canvasPixels(page));
    check(shift < -10, `right on a game pad walks the man: the view follows him ${-shift} pixels`);
    await context.close();
  }

  // --- monsters dropped onto the page, one of them beaten and kept ---------
  {
    const context = await browser.createBrowserContext();
    const page = await openPage(context);
    const wall = join(scratch, WALL);
    execFileSync(nativeGame, ["wall", wall]);
    const textAsGif = join(scratch, "0 Words 1-2-3.gif");
    writeFileSync(textAsGif, "not a picture at all\n");
    const pale = join(scratch, "0 Pale 10-12-14.gif");
    execFileSync(nativeGame, ["no-white", join(data, "Monsters", "2 Hopper_Toad 10-12-14.gif"), pale]);
    const png = join(scratch, "0 Square 1-2-3.png");
    copyFileSync(join(site, "icon.png"), png);

    // By the file button, or dropped onto the canvas as a file from a desktop.
    const choose = async (path, dropped = false) => {
      await page.evaluate(() => { delete document.body.dataset.verdict; });
      if (dropped) {
        await page.evaluate((name, base64) => {
          const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
          const files = new DataTransfer();
          files.items.add(new File([bytes], name, { type: "image/gif" }));
          for (const type of ["dragover", "drop"]) {
            document.getElementById("canvas").dispatchEvent(
              new DragEvent(type, { dataTransfer: files, bubbles: true, cancelable: true }));
          }
        }, path.split("/").pop(), readFileSync(path).toString("base64"));
      } else {
        await (await page.$("#monster-file")).uploadFile(path);
      }
      await page.waitForSelector("body[data-verdict]", { timeout: 10000 });
      return page.evaluate(() => ({
        verdict: document.body.dataset.verdict,
        text: document.getElementById("verdict").textContent,
        kept: document.getElementById("kept-count").textContent,
      }));
    };
    let said = await choose(wall, true);
    check(said.verdict === "accepted" && said.kept === "1",
      `a good GIF dropped onto the game is accepted and kept (${said.text.split("\n")[0]})`);
    await page.waitForSelector("body[data-state=playing]");
    await sleep(800);
    const historyBefore = await keptFile(page, "/save/History.ini");
    for (const [path, reason] of [[png, "is not a GIF picture"], [textAsGif, "Invalid picture"],
      [pale, "the man cannot beat it"]]) {
      said = await choose(path);
      check(said.verdict === "refused" && said.text.includes(reason) && said.kept === "1",
        `${path.split("/").pop()} is refused: ${said.text.split("\n")[0]}`);
    }
    check(await keptFile(page, "/save/History.ini") === historyBefore,
      "the refusals leave the history as it was");

    // The new monster comes first by its name: it is the one the man meets.
    await page.waitForSelector("body[data-state=playing]");
    await sleep(800);
    await defeatTheWall(page);
    await page.reload();
    await page.waitForSelector("body[data-ready=yes]", { timeout: 30000 });
    const history = await keptFile(page, "/save/History.ini") || "";
    check(history.startsWith(WALL + ",1\r\n"),
      `the dropped monster is played, and its defeat is kept over a reload (${JSON.stringify(history.split("\r\n")[0])})`);
    const kept = await page.$eval("#kept-count", (e) => e.textContent);
    check(kept === "1", "the dropped monster is still kept after a reload");

    // A game recorded here with the player's own monster replays here.
    await page.click("#record");
    await page.waitForSelector("body[data-state=recording]");
    await press(page, "Enter");
    await sleep(1500);
    await page.evaluate(() => { delete document.body.dataset.checksum; window.lastRecording = null; });
    await page.click("#download-recording");
    await page.waitForFunction(() => window.lastRecording && document.body.dataset.checksum,
      { timeout: 20000 });
    const recorded = await page.evaluate(() => document.body.dataset.checksum);
    const ownRecording = join(scratch, "own.sgr");
    writeFileSync(ownRecording, Buffer.from(await page.evaluate(() => Array.from(window.lastRecording))));
    await (await page.$("#replay-file")).uploadFile(ownRecording);
    await page.waitForSelector("body[data-state=replaying]", { timeout: 10000 });
    await page.waitForFunction(() => document.body.dataset.checksum, { timeout: 30000 });
    const replayed = await page.evaluate(() => document.body.dataset.checksum);
    check(replayed === recorded,
      `a game recorded with a kept monster replays in the page to ${replayed} (recorded ${recorded})`);
    await context.close();
  }
} catch (error) {
  console.error(error);
  failures++;
} finally {
  check(consoleErrors.length === 0, `no errors on the console${consoleErrors.length ? ": " +
    consoleErrors.join(" | ") : ""}`);
  await browser.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}
console.log(failures ? `Page tests: ${failures} failed` : "Page tests: all passed");
process.exit(failures ? 1 : 0);
