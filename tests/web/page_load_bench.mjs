// How soon the page shows the game's title: from the address entered to the
// first frame on the canvas, over fresh browser profiles (nothing cached), as
// a first visit from the loopback server.
//
//   node page_load_bench.mjs SITE [LOADS]
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { serveSite, launchChromium } from "./site_server.mjs";

const [site, loadsText = "5"] = process.argv.slice(2);
const loads = Number(loadsText);
if (!site || !Number.isInteger(loads) || loads < 1) {
  console.error("usage: node page_load_bench.mjs SITE [LOADS]");
  process.exit(2);
}
const server = await serveSite(site);
const origin = server.origin + "/";

const times = [];
for (let i = 0; i < loads; i++) {
  const profile = mkdtempSync(join(tmpdir(), "stompvale-load-"));
  const browser = await launchChromium(profile);
  try {
    const page = await browser.newPage();
    const start = Date.now();
    await page.goto(origin);
    await page.waitForSelector("body[data-shown]", { timeout: 30000 });
    times.push(Date.now() - start);
  } finally {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  }
}
server.close();
times.sort((a, b) => a - b);
const median = times[Math.floor(times.length / 2)];
console.log(`page at its title: median ${median} ms over ${loads} fresh loads ` +
  `(${times[0]} to ${times[times.length - 1]} ms); aim under 2000 ms: ${median < 2000 ? "met" : "not met"}`);
