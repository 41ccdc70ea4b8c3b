// What the game needs at start and the page can begin while the module still downloads and
// compiles: the player's files, read from the browser's storage into the folder platform_web.cpp
// keeps them in (main waits for them), and the audio context, which takes the browser a while to make.

// The player's files in the browser's IndexedDB, in the records that emscripten's IDBFS made, so
// that what earlier versions of the page kept stays readable: a database named after the folder,
// one store, each file under its full path as {timestamp, mode, contents}. A write puts the one
// file the game means to write and nothing else, so a tab never carries its stale copy of another
// file over a newer one. Every wait has a bound, and fails on an error, an abort or a block.
const kvelmoraStorage = (() => {
    const folder = '/kvelmora';
    const storeName = 'FILE_DATA';
    const version = 21; // IDBFS's
    const waitMilliseconds = 3000;
    let opening = null; // the database being opened or open; null when the next wait opens it afresh

    // A timer of the page's own: older Safari has no AbortSignal.timeout.
    function bounded(promise, what) {
        let timer;
        const late = new Promise((resolve, reject) => {
            timer = setTimeout(() => reject(new Error(what + ' did not answer')), waitMilliseconds);
        });
        return Promise.race([promise, late]).finally(() => clearTimeout(timer));
    }

    function makeStore(request) {
        const database = request.result;
        const store = database.objectStoreNames.contains(storeName) ? request.transaction.objectStore(storeName)
                                                                      : database.createObjectStore(storeName);
        if (!store.indexNames.contains('timestamp'))
            store.createIndex('timestamp', 'timestamp', {unique: false});
    }

    function forget(promise) {
        if (opening === promise)
            opening = null;
    }

    function open() {
        if (opening)
            return opening;
        let givenUp = false;
        const opened = bounded(new Promise((resolve, reject) => {
            const request = indexedDB.open(folder, version);
            request.onupgradeneeded = () => makeStore(request);
            request.onsuccess = () => {
                const database = request.result;
                // Another tab that deletes the storage or asks for a new version does not wait for
                // this one; the browser itself closes it when the site's data is cleared.
                database.onversionchange = () => {
                    database.close();
                    forget(opened);
                };
                database.onclose = () => forget(opened);
                if (givenUp)
                    database.close();
                else
                    resolve(database);
            };
            request.onerror = (event) => {
                event.preventDefault();
                reject(request.error);
            };
            request.onblocked = () => reject(new Error('another tab holds the storage'));
        }), 'the storage').catch((error) => {
            givenUp = true;
            forget(opened);
            throw error;
        });
        opening = opened;
        return opened;
    }

    // The work's answer once its transaction is complete. A failure closes the database, so the next
    // wait opens it afresh: the site's data may have been cleared meanwhile.
    async function transact(mode, work) {
        const current = open();
        const database = await current;
        try {
            return await bounded(new Promise((resolve, reject) => {
                const transaction = database.transaction(storeName, mode);
                transaction.onabort = () => reject(transaction.error || new Error('the storage\'s transaction was aborted'));
                try {
                    const answer = work(transaction.objectStore(storeName));
                    transaction.oncomplete = () => resolve(answer);
                } catch (error) {
                    transaction.abort();
                    throw error;
                }
            }), 'the storage');
        } catch (error) {
            forget(current);
            database.close();
            throw error;
        }
    }

    // The folder afterwards holds exactly the files that the storage keeps.
    async function load() {
        const files = await transact('readonly', (store) => {
            const found = new Map();
            store.openCursor().onsuccess = (event) => {
                const cursor = event.target.result;
                if (!cursor)
                    return;
                if (FS.isFile(cursor.value.mode))
                    found.set(cursor.key, cursor.value);
                cursor.continue();
            };
            return found;
        });
        for (const name of FS.readdir(folder)) {
            const path = folder + '/' + name;
            if (FS.isFile(FS.stat(path).mode) && !files.has(path))
                FS.unlink(path);
        }
        files.forEach((entry, path) => FS.writeFile(path, entry.contents));
    }

    function store(path) {
        const stat = FS.stat(path);
        const entry = {timestamp: stat.mtime, mode: stat.mode, contents: FS.readFile(path)};
        return transact('readwrite', (files) => {
            files.put(entry, path);
        });
    }

    // Tabs of the game take turns at saving: by the browser's Web Locks where it gives them, else by
    // a claim in the storage. Each answers the release once held, null when the wait ran out.
    const lockName = 'kvelmora-best-results';
    const claimKey = 'kvelmora-best-results-lock'; // outside the folder: load() takes it for no file
    const claimMilliseconds = 20000; // outlasts a holder's bounded waits on the storage
    const claimRetryMilliseconds = 50;

    // Undefined when the browser refuses its locks, as some do to a page opened from the disk.
    function lockByBrowser(milliseconds) {
        const waiting = new AbortController();
        const timer = setTimeout(() => waiting.abort(), milliseconds);
        return new Promise((resolve) => {
            navigator.locks
                .request(lockName, {signal: waiting.signal}, () => new Promise((release) => resolve(release)))
                .catch(() => resolve(waiting.signal.aborted ? null : undefined));
        }).finally(() => clearTimeout(timer));
    }

    // A read-write transaction on the store runs alone, so no other tab sees the claim free between
    // this one's look and its write. A claim lapses, so a tab closed while holding one keeps the
    // others waiting no longer than that.
    function claim(owner) {
        return transact('readwrite', (records) => {
            const answer = {taken: false};
            records.get(claimKey).onsuccess = (event) => {
                const held = event.target.result;
                if (held && held.owner !== owner && held.until > Date.now())
                    return;
                records.put({owner, until: Date.now() + claimMilliseconds}, claimKey);
                answer.taken = true;
            };
            return answer;
        }).then((answer) => answer.taken);
    }

    function unclaim(owner) {
        return transact('readwrite', (records) => {
            records.get(claimKey).onsuccess = (event) => {
                if (event.target.result && event.target.result.owner === owner)
                    records.delete(claimKey);
            };
        }).catch((error) => console.warn('kvelmora: the save lock lapses on its own: ' + error));
    }

    // A storage that cannot be claimed in cannot be saved to either: the save waits for later.
    async function lockByClaim(milliseconds) {
        const owner = Date.now() + '-' + Math.random();
        const deadline = Date.now() + milliseconds;
        try {
            while (!(await claim(owner))) {
                if (Date.now() >= deadline)
                    return null;
                await new Promise((resolve) => setTimeout(resolve, claimRetryMilliseconds));
            }
        } catch (error) {
            console.warn('kvelmora: the save lock could not be claimed: ' + error);
            return null;
        }
        return () => unclaim(owner);
    }

    async function lock(milliseconds) {
        const release = navigator.locks ? await lockByBrowser(milliseconds) : undefined;
        return release === undefined ? lockByClaim(milliseconds) : release;
    }

    return {folder, load, store, lock};
})();

Module.preInit = [].concat(Module.preInit || [], () => {
    FS.mkdir(kvelmoraStorage.folder);
    addRunDependency('kvelmora saved files');
    kvelmoraStorage.load()
        .catch((error) => {
            console.warn('kvelmora: the saved files could not be read: ' + error);
            if (Module.showStorageNotice)
                Module.showStorageNotice();
        })
        .finally(() => removeRunDependency('kvelmora saved files'));
    if (window.AudioContext)
        earlyAudioContext = new AudioContext();
});
