// Shared steps of the browser checks: a private HTTP server on 127.0.0.1, Debian's Chromium in a
// fresh profile, and a page of the game whose log lines (the console) the checks wait on.
'use strict';
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const timeout = 60000;
const chromiumArgs = [
    '--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
    '--disable-quic', '--disable-default-apps', '--mute-audio', '--disable-renderer-backgrounding',
    '--disable-background-timer-throttling', '--disable-backgrounding-occluded-windows',
];
const viewport = { width: 1366, height: 768 };
const frameEnd = 'main: ProcessEvent end.';

function freePort() {
    return new Promise((resolve) => {
        const server = net.createServer();
        server.listen(0, '127.0.0.1', () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
    });
}

// Serves the folder until the returned server is killed.
async function startServer(folder) {
    const port = await freePort();
    const server = spawn('python3', ['-u', '-m', 'http.server', String(port), '--bind', '127.0.0.1', '--directory', folder],
        { stdio: ['ignore', 'pipe', 'ignore'] });
    await new Promise((resolve, reject) => {
        const timer = setTimeout(() => reject(new Error('the HTTP server did not start')), timeout);
        server.stdout.on('data', (data) => {
            if (String(data).includes('Serving HTTP')) {
                clearTimeout(timer);
                resolve();
            }
        });
    });
    return { server, url: `http://127.0.0.1:${port}/` };
}

// Runs the action with a browser of a fresh profile, in a folder of the check's own.
async function withBrowser(action) {
    const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'kvelmora-web-'));
    const browser = await puppeteer.launch({
        executablePath: '/usr/bin/chromium', headless: true, userDataDir, args: chromiumArgs,
        protocolTimeout: 2 * timeout,
    });
    try {
        return await action(browser);
    } finally {
        await browser.close();
        fs.rmSync(userDataDir, { recursive: true, force: true });
    }
}

// Times of every frame's start, as the page asks the browser for the next one.
function recordFrames() {
    window.frameTimes = [];
    const request = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => {
        window.frameTimes.push(performance.now());
        return request(callback);
    };
}

// A tab that keeps the game's log lines, every error the page reports and every address it asks for.
async function newTab(browser) {
    const page = await browser.newPage();
    page.setDefaultTimeout(timeout);
    await page.setViewport(viewport);
    await page.evaluateOnNewDocument(recordFrames);
    page.log = [];
    page.errors = [];
    page.requests = [];
    page.on('request', (request) => page.requests.push(request.url()));
    page.on('console', (message) => {
        if (message.type() === 'error')
            page.errors.push(message.text());
        else
            page.log.push(...message.text().split('\n'));
    });
    page.on('pageerror', (error) => page.errors.push(error.message));
    page.on('requestfailed', (request) => page.errors.push(`${request.url()}: ${request.failure().errorText}`));
    return page;
}

function count(page, line) {
    return page.log.filter((entry) => entry === line).length;
}

async function waitUntil(condition, what, seconds = timeout / 1000) {
    const deadline = Date.now() + seconds * 1000;
    while (!(await condition())) {
        if (Date.now() > deadline)
            throw new Error(`timed out waiting for ${what}`);
        await new Promise((resolve) => setTimeout(resolve, 20));
    }
}

// Waits for the line to appear more often than the given number of times.
function waitForLine(page, line, seen = count(page, line)) {
    return waitUntil(() => count(page, line) > seen, `"${line}"`);
}

// Waits until the frame loop has finished two more passes: input sent before has been handled.
function waitForFrames(page, frames = 2) {
    return waitForLine(page, frameEnd, count(page, frameEnd) + frames - 1);
}

// Loads the page, waits until the game runs and lifts the cover with a click or a tap.
async function openGame(page, url, lift = (tab) => tab.mouse.click(683, 600)) {
    page.log.length = 0;
    await page.goto(url, { waitUntil: 'load' });
    await page.waitForSelector('#cover.ready');
    await waitForLine(page, 'start_menu: Draw end.', 0);
    await lift(page);
    await page.waitForSelector('#cover', { hidden: true });
    await waitForFrames(page);
}

async function press(page, key) {
    await page.keyboard.press(key);
    await waitForFrames(page);
}

async function click(page, x, y) {
    await page.mouse.click(x, y);
    await waitForFrames(page);
}

// The files that the browser keeps for the game, by name, after putting the given ones there. The
// records are made and read as emscripten's IDBFS makes them, so the page must read and keep them
// in that form: a database named after the folder, each file under its path as {timestamp, mode, contents}.
function stored(page, files = {}) {
    return page.evaluate((given) => new Promise((resolve, reject) => {
        const request = indexedDB.open('/kvelmora', 21);
        request.onupgradeneeded = () => request.result.createObjectStore('FILE_DATA').createIndex('timestamp', 'timestamp');
        request.onerror = () => reject(request.error);
        request.onsuccess = () => {
            const database = request.result;
            const transaction = database.transaction('FILE_DATA', 'readwrite');
            const store = transaction.objectStore('FILE_DATA');
            for (const [name, text] of Object.entries(given))
                store.put({ timestamp: new Date(), mode: 0o100666, contents: new TextEncoder().encode(text) }, `/kvelmora/${name}`);
            const kept = {};
            store.openCursor().onsuccess = (event) => {
                const cursor = event.target.result;
                if (!cursor)
                    return;
                kept[cursor.key.replace('/kvelmora/', '')] = new TextDecoder().decode(cursor.value.contents);
                cursor.continue();
            };
            transaction.oncomplete = () => resolve(kept);
            transaction.onabort = () => reject(transaction.error);
            database.close();
        };
    }), files);
}

// Pixels that differ by more than a fifth of the range between two pictures of the same size.
function differingPixels(first, second) {
    try {
        execFileSync('compare', ['-metric', 'AE', '-fuzz', '20%', first, second, 'null:'], { stdio: 'pipe' });
        return 0;
    } catch (error) {
        const pixels = Number(String(error.stderr).trim().split(' ')[0]);
        if (Number.isNaN(pixels))
            throw error;
        return pixels;
    }
}

// The darkest value (0 to 1) of a region of a picture.
function darkest(picture, { x, y, width, height }) {
    return Number(execFileSync('convert', [picture, '-crop', `${width}x${height}+${x}+${y}`, '+repage',
        '-colorspace', 'Gray', '-format', '%[fx:minima]', 'info:']).toString());
}

module.exports = {
    viewport, startServer, withBrowser, newTab, openGame, waitUntil, waitForLine, waitForFrames, press, click,
    stored, differingPixels, darkest, timeout,
};

// A school's web server: the page's folder under its own name, every file fresh for a day in the
// browser's HTTP cache, and the folder's address without the slash sent on to the one with it.
// site.folder may be swapped for another build, as a school uploads it; site.refuse(file) answers
// 404 for a file it names, '' being the folder's own address. While site.offline is set, every
// connection is dropped: the page's service worker fetches past the page's own offline emulation.
const contentTypes = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
    '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml',
};

function startSchoolServer(folder, refuse = () => false) {
    const name = path.basename(folder);
    const site = { folder, refuse, offline: false };
    const server = require('http').createServer((request, response) => {
        if (site.offline) {
            request.socket.destroy();
            return;
        }
        const address = decodeURIComponent(new URL(request.url, 'http://server').pathname);
        if (address === `/${name}`) {
            response.writeHead(301, { Location: `/${name}/` });
            response.end();
            return;
        }
        const file = address.startsWith(`/${name}/`) ? address.slice(name.length + 2) : null;
        const local = path.join(site.folder, file || 'index.html');
        if (file === null || site.refuse(file) || !local.startsWith(site.folder + path.sep) || !fs.existsSync(local)) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, {
            'Content-Type': contentTypes[path.extname(local)] || 'application/octet-stream',
            'Cache-Control': 'max-age=86400',
        });
        response.end(fs.readFileSync(local));
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
        site, url: `http://127.0.0.1:${server.address().port}/${name}/`, close: () => server.close(),
    })));
}

// Waits until the page's service worker controls it: the game is kept for offline play.
function waitForOfflineCopy(page) {
    return waitUntil(() => page.evaluate(() => navigator.serviceWorker.controller !== null), 'the offline copy');
}

Object.assign(module.exports, { startSchoolServer, waitForOfflineCopy });
