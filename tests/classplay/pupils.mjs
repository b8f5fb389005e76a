// Three pupils in real Chromium against the real host, through a whole
// class play of three questions: a wrong room code, joining (one name with
// markup), answering, a reload that keeps its seat, the verdicts, the end
// and the record. Then a host killed outright keeps the answer a device was
// told it received. Run under a virtual display (the host is driven with
// xdotool): node pupils.mjs PROGRAM_FOLDER NODE_MODULES
import { spawn, execFileSync } from "node:child_process";
import { createRequire } from "node:module";
import { cpSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import assert from "node:assert/strict";

const [programFolder, nodeModules] = process.argv.slice(2);
const puppeteer = createRequire(join(nodeModules, "x.js"))("puppeteer-core");
const folder = mkdtempSync(join(tmpdir(), "classplay-"));
cpSync(join(programFolder, "db1.sqlite"), join(folder, "db1.sqlite"));
cpSync(join(programFolder, "img"), join(folder, "img"), { recursive: true });
writeFileSync(join(folder, "contest.ini"), "length=3\n");

// On the virtual display, whatever platform the tests around it use.
const startHost = () => spawn(join(programFolder, "mathcontest"), ["--class", folder, "--bind", "127.0.0.1", "--port", "0"], {
  stdio: ["ignore", "pipe", "inherit"],
  env: { ...process.env, QT_QPA_PLATFORM: "xcb" },
});
let host = startHost();
let browser;
const done = (status) => {
  if (browser) browser.close().catch(() => {});
  if (host.exitCode === null) host.kill("SIGKILL");
  rmSync(folder, { recursive: true, force: true });
  process.exit(status);
};
setTimeout(() => { console.error("FAIL: timed out"); done(1); }, 150000).unref();

try {
  const started = async () => {
    const line = await new Promise((resolve, reject) => {
      let text = "";
      host.stdout.on("data", (chunk) => {
        text += chunk;
        if (text.includes("\n")) resolve(text.split("\n")[0]);
      });
      host.on("exit", () => reject(new Error("the host ended before it printed its address")));
    });
    const match = /^class: (http:\/\/127\.0\.0\.1:\d+\/) room (\d+)$/.exec(line);
    assert.ok(match, `the host printed "${line}"`);
    return match.slice(1);
  };
  const [address, code] = await started();

  // The host's window, once the window system shows it.
  const window = () => {
    for (let tries = 0; ; ++tries) {
      try {
        return execFileSync("xdotool", ["search", "--onlyvisible", "--pid", String(host.pid)]).toString().trim().split("\n")[0];
      } catch (error) {
        if (tries === 100) throw error;
        Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 100);
      }
    }
  };
  const press = (key) => {
    const id = window();
    execFileSync("xdotool", ["windowfocus", "--sync", id]);
    execFileSync("xdotool", ["key", key]);
  };

  browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu"],
  });
  const pupils = [];
  for (const name of ["أمينة", "<b>Bob</b>", "سامي"]) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 360, height: 740 });
    await page.goto(address);
    await page.waitForSelector("#join:not([hidden])");
    pupils.push({ name, page, right: 0 });
  }
  const text = (page, selector) => page.$eval(selector, (e) => e.textContent);

  // A wrong code is refused in words; the right one seats the pupil.
  const first = pupils[0].page;
  await first.type("#room", code === "1234" ? "4321" : "1234");
  await first.type("#name", pupils[0].name);
  await first.click("#join-button");
  await first.waitForFunction(() => document.querySelector("#refused").textContent.includes("غير صحيح"));
  for (const pupil of pupils) {
    await pupil.page.$eval("#room", (e) => { e.value = ""; });
    await pupil.page.type("#room", code);
    if (pupil !== pupils[0]) await pupil.page.type("#name", pupil.name);
    await pupil.page.click("#join-button");
    await pupil.page.waitForSelector("#seat:not([hidden]) #waiting:not([hidden])");
    assert.equal(await text(pupil.page, "#who"), pupil.name);
  }
  // A name with markup stays text.
  assert.equal(await pupils[1].page.$$eval("#who *", (e) => e.length), 0);

  for (let question = 1; question <= 3; ++question) {
    press("space");
    for (const pupil of pupils) {
      await pupil.page.waitForFunction((q) => document.querySelector("#count").textContent.includes(q) &&
        !document.querySelector("#question").hidden && document.querySelectorAll("#answers button").length === 4 &&
        document.querySelector("#picture").complete && document.querySelector("#picture").naturalWidth > 0, {}, (question).toLocaleString("ar-EG"));
    }
    // The third pupil reloads the page before answering: the seat and the
    // question come back without typing anything.
    if (question === 2) {
      await pupils[2].page.reload();
      await pupils[2].page.waitForFunction(() => !document.querySelector("#question").hidden && document.querySelectorAll("#answers button").length === 4);
      assert.equal(await text(pupils[2].page, "#who"), pupils[2].name);
    }
    for (const [index, pupil] of pupils.entries()) {
      const slot = (index + question) % 4;
      pupil.chose = await pupil.page.$$eval("#answers button", (b, s) => b[s].getAttribute("aria-label"), slot);
      await pupil.page.$$eval("#answers button", (b, s) => { b[s].click(); b[(s + 1) % 4].click(); }, slot);
    }
    // Everyone answered: the question closes; each device is told its verdict.
    for (const pupil of pupils) {
      await pupil.page.waitForSelector("#verdict:not([hidden])");
      const correct = await pupil.page.$eval("#correct", (e) => e.alt);
      const verdict = await text(pupil.page, "#verdict-text");
      assert.equal(verdict, pupil.chose === correct ? "الاجابة صحيحة" : "الاجابة خاطئة", `${pupil.name} chose ${pupil.chose}, correct ${correct}`);
      if (pupil.chose === correct) ++pupil.right;
    }
  }
  press("space");
  for (const pupil of pupils) {
    await pupil.page.waitForSelector("#end:not([hidden])");
    assert.equal(await text(pupil.page, "#end-text"), "انتهت المسابقة");
    assert.equal(await text(pupil.page, "#score"), `الدرجة: ${pupil.right.toLocaleString("ar-EG")} من ${(3).toLocaleString("ar-EG")}`);
  }
  // Every pupil's contest in the record, linked, the first answer counted.
  const rows = execFileSync("sqlite3", [join(folder, "results.sqlite"),
    "select c.player, count(a.position), sum(a.correct), count(distinct c.class_play), c.ending from contest c join asked a on a.contest = c.number group by c.number order by c.number"]).toString().trim().split("\n");
  assert.deepEqual(rows, pupils.map((p) => `${p.name}|3|${p.right}|1|completed`));

  // An answer told received outlives the host killed the moment after.
  host.kill("SIGKILL");
  await new Promise((resolve) => host.on("exit", resolve));
  host = startHost();
  const [again, room] = await started();
  const late = await (await browser.createBrowserContext()).newPage();
  await late.goto(again);
  await late.waitForSelector("#join:not([hidden])");
  await late.type("#room", room);
  await late.type("#name", "Killed");
  await late.click("#join-button");
  await late.waitForSelector("#waiting:not([hidden])");
  press("space");
  await late.waitForFunction(() => document.querySelectorAll("#answers button").length === 4);
  await late.$$eval("#answers button", (b) => b[2].click());
  await late.waitForSelector("#received:not([hidden])");
  host.kill("SIGKILL");
  await new Promise((resolve) => host.on("exit", resolve));
  const kept = execFileSync("sqlite3", [join(folder, "results.sqlite"),
    "select count(*) from contest c join asked a on a.contest = c.number where c.player = 'Killed' and a.chosen is not null"]).toString().trim();
  assert.equal(kept, "1");
  console.log("PASS: three pupils played a class play through");
  done(0);
} catch (error) {
  console.error("FAIL:", error);
  done(1);
}
