// The page's static site on a free loopback port, as any web server would
// serve it, and Debian's Chromium headless, quiet on this closed network.
import { createServer } from "node:http";
import { readFileSync } from "node:fs";
import { join, extname, normalize } from "node:path";
import puppeteer from "puppeteer-core";

const types = {
  ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
  ".wasm": "application/wasm", ".png": "image/png", ".data": "application/octet-stream",
};

// Serves `site`, and `/fixtures/…` from the folder `fixtures` when given.
// Resolves to { origin, close }.
export async function serveSite(site, fixtures = null) {
  const server = createServer((request, response) => {
    const url = new URL(request.url, "http://localhost");
    const fixture = fixtures && url.pathname.startsWith("/fixtures/");
    const root = fixture ? fixtures : site;
    const name = url.pathname.replace(/^\/fixtures\//, "/").replace(/\/$/, "/index.html");
    const path = normalize(join(root, decodeURIComponent(name)));
    try {
      if (!path.startsWith(root)) throw new Error("outside");
      const body = readFileSync(path);
      response.writeHead(200, { "Content-Type": types[extname(path)] || "application/octet-stream" });
      response.end(body);
    } catch (e) {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, close: () => server.close() };
}

// CHROMIUM names another browser than /usr/bin/chromium.
export function launchChromium(profile) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--force-color-profile=srgb", "--enable-unsafe-swiftshader"],
  });
}
