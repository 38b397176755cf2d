// How soon the page shows the game's title: from the address entered to the
// first frame on the canvas, over fresh browser profiles (nothing cached), as
// a first visit from the loopback server.
//
//   node page_load_bench.mjs SITE [LOADS]
import { createServer } from "node:http";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, extname, normalize } from "node:path";
import puppeteer from "puppeteer-core";

const [site, loadsText = "5"] = process.argv.slice(2);
const loads = Number(loadsText);
if (!site || !Number.isInteger(loads) || loads < 1) {
  console.error("usage: node page_load_bench.mjs SITE [LOADS]");
  process.exit(2);
}
const types = {
  ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
  ".wasm": "application/wasm", ".png": "image/png",
};
const server = createServer((request, response) => {
  const name = new URL(request.url, "http://localhost").pathname.replace(/\/$/, "/index.html");
  const path = normalize(join(site, decodeURIComponent(name)));
  try {
    if (!path.startsWith(site)) throw new Error("outside");
    const body = readFileSync(path);
    response.writeHead(200, { "Content-Type": types[extname(path)] || "application/octet-stream" });
    response.end(body);
  } catch (e) {
    response.writeHead(404);
    response.end();
  }
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const origin = `http://127.0.0.1:${server.address().port}/`;

const times = [];
for (let i = 0; i < loads; i++) {
  const profile = mkdtempSync(join(tmpdir(), "stompvale-load-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--enable-unsafe-swiftshader"],
  });
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
