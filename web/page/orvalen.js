// The page: unpacks the bundled dictionaries into the WebAssembly core, and
// shows the core's answers. It ranks nothing itself: every list it shows is
// one of the JSON lines orvalen-find --format jsonl prints for the same text.
"use strict";

(function () {
  const DICTIONARIES = ["gb2312", "gbk"];  // the core's numbers 0 and 1
  const DEFAULT_QUERY = "车";               // as the window starts
  const NO_FIND = "no find";
  // A pasted page of text may hold thousands of characters: the page shows
  // the answers of this many, and says so, to stay quick.
  const MOST_SHOWN = 200;

  let core = null;                  // the WebAssembly module, once created
  const loaded = new Set();         // names of the dictionaries loaded
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  // The page's data blocks after its scripts are there once it is parsed.
  const parsed = document.readyState !== "loading" ? Promise.resolve()
    : new Promise((resolve) => document.addEventListener("DOMContentLoaded", resolve, { once: true }));

  // The bytes of a data block the page was packed with: base64 of gzip.
  async function unpack(name) {
    let element = document.getElementById("data-" + name);
    if (!element) {
      await parsed;
      element = document.getElementById("data-" + name);
    }
    if (!element)
      return null;
    const text = atob(element.textContent.trim());
    const packed = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i)
      packed[i] = text.charCodeAt(i);
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // Copies bytes into the module's memory for the length of `use`.
  function withBytes(bytes, use) {
    const pointer = core._malloc(bytes.length + 1);
    try {
      core.HEAPU8.set(bytes, pointer);
      core.HEAPU8[pointer + bytes.length] = 0;
      return use(pointer, bytes.length);
    } finally {
      core._free(pointer);
    }
  }

  // A zero-ended UTF-8 string the core returned, valid until its next call.
  function coreString(pointer) {
    const heap = core.HEAPU8;
    const end = heap.indexOf(0, pointer);
    return decoder.decode(heap.subarray(pointer, end));
  }

  async function loadDictionary(name) {
    if (loaded.has(name))
      return;
    const bytes = await unpack(name);
    if (!bytes)
      throw new Error("the page holds no dictionary \"" + name + "\"");
    const entries = withBytes(bytes, (pointer, length) =>
      core._orvalen_load_dictionary(DICTIONARIES.indexOf(name), pointer, length));
    loaded.add(name);
    for (const count of document.querySelectorAll(".count[data-dict=\"" + name + "\"]"))
      count.textContent = "（" + entries.toLocaleString("zh-CN") + " 字）";
  }

  // The readings data, when the page holds it: the answers are explained
  // from then on (pinyin, words, differences).
  async function loadReadings() {
    const [readings, differences] = await Promise.all([unpack("readings"), unpack("differences")]);
    if (!readings || typeof core._orvalen_load_readings !== "function")
      return;
    withBytes(readings, (readingsPointer, readingsLength) =>
      withBytes(differences || new Uint8Array(0), (differencesPointer, differencesLength) =>
        core._orvalen_load_readings(readingsPointer, readingsLength, differencesPointer, differencesLength)));
  }

  function checkDictionary(dict) {
    if (!DICTIONARIES.includes(dict))
      throw new TypeError("dict must be \"gb2312\" or \"gbk\", not " + JSON.stringify(dict));
    if (!loaded.has(dict))
      throw new Error("the dictionary \"" + dict + "\" is still loading: wait for orvalen.ready");
  }

  // The JSON lines the core gives for `text` in `dict`, as one string.
  function searchLines(text, dict) {
    checkDictionary(dict);
    // TextEncoder writes well-formed UTF-8, a lone surrogate as U+FFFD.
    return withBytes(encoder.encode(String(text)), (pointer, length) =>
      coreString(core._orvalen_search(pointer, length, DICTIONARIES.indexOf(dict))));
  }

  // Whether `dict` holds the character `character`.
  function has(character, dict) {
    checkDictionary(dict);
    return withBytes(encoder.encode(String(character)), (pointer, length) =>
      core._orvalen_has(pointer, length, DICTIONARIES.indexOf(dict)) === 1);
  }

  // One object per query of `text`: exactly the JSON line orvalen-find
  // --format jsonl prints for it.
  function search(text, dict) {
    return searchLines(text, dict).split("\n").filter((line) => line !== "").map((line) => JSON.parse(line));
  }

  // ---- The page -------------------------------------------------------

  const form = document.getElementById("search");
  const input = document.getElementById("query");
  const results = document.getElementById("results");
  const status = document.getElementById("status");
  const printButton = document.getElementById("print");

  function element(tag, className, text) {
    const node = document.createElement(tag);
    if (className)
      node.className = className;
    if (text !== undefined)
      node.textContent = text;
    return node;
  }

  // Text with each lone surrogate (pasted half of a pair) as U+FFFD, as the
  // search reads it: a URL cannot hold one.
  function wellFormed(text) {
    return text.replace(/[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/g, "\uFFFD");
  }

  function fragmentFor(query, dict) {
    return "#q=" + encodeURIComponent(wellFormed(query)) + "&dict=" + dict;
  }

  // The query and dictionary a fragment names; the defaults for the rest.
  function stateFromFragment() {
    const params = new URLSearchParams(location.hash.replace(/^#/, ""));
    const dict = DICTIONARIES.includes(params.get("dict")) ? params.get("dict") : "gb2312";
    const query = params.has("q") ? params.get("q") : DEFAULT_QUERY;
    return { query, dict };
  }

  function selectedDictionary() {
    const checked = form.querySelector("input[name=dict]:checked");
    return checked ? checked.value : "gb2312";
  }

  function otherDictionary(dict) {
    return dict === "gbk" ? "gb2312" : "gbk";
  }

  function dictionaryName(dict) {
    return dict === "gbk" ? "GBK" : "GB2312";
  }

  // A character with its first reading above it.
  function characterWithReading(character, pinyin) {
    if (!pinyin || !pinyin.length)
      return document.createTextNode(character);
    const ruby = element("ruby");
    ruby.append(character, element("rt", "", pinyin[0]));
    return ruby;
  }

  // The words and difference of a listed character, as its tip shows them.
  function tipText(about) {
    if (!about)
      return "";
    const parts = [];
    if (about.pinyin && about.pinyin.length > 1)
      parts.push("读音：" + about.pinyin.join("、"));
    if (about.words && about.words.length)
      parts.push("词：" + about.words.join("、"));
    if (about.difference && about.difference.text)
      parts.push("区别：" + about.difference.text);
    return parts.join("\n");
  }

  function listedCharacter(character, answer, dict, tipNumber) {
    const about = answer.about ? answer.about[character] : undefined;
    const link = element("a", "char");
    link.href = fragmentFor(character, dict);
    link.dataset.char = character;
    link.append(characterWithReading(character, about && about.pinyin));
    const tip = tipText(about);
    if (tip) {
      const box = element("span", "tip", tip);
      box.id = "tip-" + tipNumber;
      box.setAttribute("role", "tooltip");
      link.setAttribute("aria-describedby", box.id);
      link.append(box);
    }
    return link;
  }

  function noticeWithLink(text, linkText, query, dict) {
    const notice = element("p", "hint", text);
    const link = element("a", "", linkText);
    link.href = fragmentFor(query, dict);
    notice.append(link);
    return notice;
  }

  // A query the dictionary lacks: "no find", and where the other
  // dictionary has the character, a way to it.
  function renderNoFind(box, answer, dict) {
    box.classList.add("missing");
    box.append(element("p", "no-find", NO_FIND));
    const other = otherDictionary(dict);
    if (answer.char && loaded.has(other) && has(answer.char, other))
      box.append(noticeWithLink(dictionaryName(other) + " 字典里有“" + answer.char + "”：",
                                "到 " + dictionaryName(other) + " 字典里查", answer.char, other));
  }

  function renderAnswer(answer, dict, counter) {
    const box = element("article", "answer");
    box.dataset.query = answer.char;
    const heading = element("h2", "query");
    heading.append(answer.error ? answer.char : characterWithReading(answer.char, answer.pinyin));
    if (answer.words && answer.words.length)
      heading.append(element("span", "words", answer.words.join("、")));
    box.append(heading);
    if (answer.error) {
      renderNoFind(box, answer, dict);
      return box;
    }
    if (!answer.groups.length) {
      box.append(element("p", "no-look-alikes", "这个字典里没有和它形近的字。"));
      const other = otherDictionary(dict);
      if (loaded.has(other)) {
        const there = search(answer.char, other)[0];
        if (!there.error && there.groups.length)
          box.append(noticeWithLink(dictionaryName(other) + " 字典里有 " +
                                    there.groups.reduce((sum, group) => sum + group.chars.length, 0) + " 个：",
                                    "到 " + dictionaryName(other) + " 字典里查", answer.char, other));
      }
      return box;
    }
    const groups = element("div", "groups");
    for (const group of answer.groups) {
      const line = element("div", "group");
      line.dataset.score = group.score;
      for (const character of group.chars)
        line.append(listedCharacter(character, answer, dict, counter.next++));
      groups.append(line);
    }
    box.append(groups);
    return box;
  }

  let shown = null;  // {query, dict} on screen

  function show(query, dict) {
    showControls(query, dict);
    const started = performance.now();
    const answers = search(query, dict);
    const counter = { next: 0 };
    results.replaceChildren(...answers.slice(0, MOST_SHOWN).map((answer) => renderAnswer(answer, dict, counter)));
    if (answers.length > MOST_SHOWN)
      results.append(element("p", "more", "只显示了前 " + MOST_SHOWN + " 个字的结果，共 " + answers.length + " 个字。"));
    shown = { query, dict };
    // What is on screen, for scripts that wait for a search to show.
    results.dataset.query = query;
    results.dataset.dict = dict;
    api.lastSearchMs = performance.now() - started;
    const found = answers.filter((answer) => !answer.error).length;
    status.textContent = answers.length === 0
      ? "请输入要查的汉字。"
      : dictionaryName(dict) + " 字典：查了 " + answers.length + " 个字" +
        (found < answers.length ? "，" + (answers.length - found) + " 个没有找到。" : "。");
    printButton.hidden = found === 0 || typeof core._orvalen_worksheet !== "function";
    document.title = (query.trim() ? query.trim().slice(0, 12) + " · " : "") + "Orvalen 形近字";
  }

  // Goes to a search: a new history entry, so that Back returns.
  function go(query, dict) {
    const fragment = fragmentFor(query, dict);
    if (location.hash === fragment)
      showFragment();
    else
      location.hash = fragment;
  }

  // The fragment's search; while its dictionary is still loading, only the
  // controls, and start() shows it once the dictionary is there.
  function showFragment() {
    const state = stateFromFragment();
    if (core && loaded.has(state.dict))
      show(state.query, state.dict);
    else
      showControls(state.query, state.dict);
  }

  form.addEventListener("submit", (event) => {
    event.preventDefault();
    go(input.value, selectedDictionary());
  });
  for (const radio of form.querySelectorAll("input[name=dict]"))
    radio.addEventListener("change", () => go(shown ? shown.query : input.value, selectedDictionary()));
  window.addEventListener("hashchange", showFragment);

  printButton.addEventListener("click", () => {
    if (!shown)
      return;
    const html = worksheetHtml(shown.query, shown.dict);
    const frame = document.getElementById("worksheet");
    frame.onload = () => frame.contentWindow.print();
    frame.srcdoc = html;
  });

  function worksheetHtml(text, dict) {
    checkDictionary(dict);
    return withBytes(encoder.encode(String(text)), (pointer, length) =>
      coreString(core._orvalen_worksheet(pointer, length, DICTIONARIES.indexOf(dict))));
  }

  const api = {
    search,
    worksheetHtml,
    firstAnswerMs: null,
    lastSearchMs: null,
    ready: null,
  };

  // The controls show the fragment's search at once, while the
  // dictionaries load.
  function showControls(query, dict) {
    input.value = query;
    for (const radio of form.querySelectorAll("input[name=dict]"))
      radio.checked = radio.value === dict;
  }

  async function start() {
    const opened = stateFromFragment();
    showControls(opened.query, opened.dict);
    performance.mark("orvalen-start");
    core = await createOrvalenModule();
    performance.mark("orvalen-module");
    await Promise.all([loadDictionary(opened.dict), loadReadings()]);
    performance.mark("orvalen-dictionary");
    showFragment();
    performance.mark("orvalen-first-answer");
    api.firstAnswerMs = performance.now();
    await loadDictionary(otherDictionary(opened.dict));
    // Now a hint that needs the other dictionary can show, and so can a
    // search in it asked for meanwhile.
    showFragment();
  }

  api.ready = start().catch((error) => {
    status.textContent = "载入失败：" + error.message;
    throw error;
  });
  window.orvalen = api;
})();
