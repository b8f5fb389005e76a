// The pupil's page: joins the room, keeps its seat through reloads and
// dropped connections by the token the server gave, and shows what the
// server says. Every name and text goes in as text, never as markup.
"use strict";

const tokenKey = "mathcontest-seat";
const $ = (id) => document.getElementById(id);
let socket = null;
let retry = 500;
let asked = 0;
let countdown = null;
let again = null;

function show(part) {
  $("join").hidden = part !== "join";
  $("seat").hidden = part !== "seat";
}

function only(part) {
  for (const id of ["waiting", "question", "verdict", "end"]) $(id).hidden = id !== part;
}

function status(text) {
  $("status").textContent = text;
}

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
}

function stopCountdown() {
  if (countdown) clearInterval(countdown);
  countdown = null;
  $("time").hidden = true;
}

function startCountdown(ms) {
  stopCountdown();
  if (!(ms > 0)) return;
  const until = Date.now() + ms;
  const tick = () => {
    const left = Math.max(0, Math.ceil((until - Date.now()) / 1000));
    $("time").textContent = "الوقت المتبقي: " + left.toLocaleString("ar-EG") + " ث";
    if (left === 0) stopCountdown();
  };
  $("time").hidden = false;
  tick();
  countdown = setInterval(tick, 250);
}

function showQuestion(message) {
  if (message.q !== asked) {
    asked = message.q;
    $("count").textContent = "السؤال " + message.q.toLocaleString("ar-EG") + " من " + message.of.toLocaleString("ar-EG");
    $("picture").src = message.picture;
    $("picture").alt = message.text || "";
    const answers = $("answers");
    answers.replaceChildren();
    message.answers.forEach((answer, index) => {
      const button = document.createElement("button");
      button.type = "button";
      button.setAttribute("aria-label", answer.label);
      button.setAttribute("aria-pressed", "false");
      const picture = document.createElement("img");
      picture.src = answer.img;
      picture.alt = "";
      button.append(picture);
      button.addEventListener("click", () => {
        if (button.disabled) return;
        for (const other of answers.children) other.disabled = true;
        button.setAttribute("aria-pressed", "true");
        send({ t: "answer", slot: index + 1, q: asked });
      });
      answers.append(button);
    });
    startCountdown(message.ms);
  }
  $("received").hidden = !message.answered;
  // Not received (sent while the connection was down, or refused): the
  // buttons are there to answer again.
  for (const button of $("answers").children) {
    button.disabled = message.answered;
    if (!message.answered) button.setAttribute("aria-pressed", "false");
  }
  only("question");
}

function showVerdict(message) {
  stopCountdown();
  $("verdict").className = message.answered ? (message.correct ? "right" : "wrong") : "";
  $("verdict-text").textContent = message.text;
  $("correct").src = message.answer.img;
  $("correct").alt = message.answer.label;
  only("verdict");
}

function seated(message) {
  localStorage.setItem(tokenKey, message.token);
  $("who").textContent = message.name;
  $("refused").textContent = "";
  show("seat");
  only("waiting");
}

function leaveSeat(text) {
  localStorage.removeItem(tokenKey);
  asked = 0;
  stopCountdown();
  $("refused").textContent = text || "";
  show("join");
}

function fillNames(names) {
  const list = $("names");
  const chosen = list.value;
  list.replaceChildren();
  const prompt = document.createElement("option");
  prompt.value = "";
  prompt.textContent = "اختر اسمك";
  list.append(prompt);
  for (const name of names) {
    const option = document.createElement("option");
    option.value = name;
    option.textContent = name;
    list.append(option);
  }
  if (names.includes(chosen)) list.value = chosen;
  list.hidden = false;
  $("name").hidden = true;
  $("name-label").htmlFor = "names";
}

const handlers = {
  welcome(message) {
    // A class list: the names come once the room's code is typed.
    if (message.list) {
      fillNames([]);
      if ($("room").value) askNames();
    }
    // With a token, the resume sent on opening answers instead.
    if (!localStorage.getItem(tokenKey) && $("seat").hidden) show("join");
  },
  names(message) { fillNames(message.names); $("refused").textContent = ""; },
  seat: seated,
  unknown() { leaveSeat(""); },
  removed() { leaveSeat("أخرجك المعلم من الغرفة."); },
  refused(message) { $("refused").textContent = message.why; },
  wait() { stopCountdown(); only("waiting"); },
  question: showQuestion,
  received(message) {
    if (message.q !== asked) return;
    $("received").hidden = false;
    for (const button of $("answers").children) button.disabled = true;
  },
  verdict: showVerdict,
  end(message) {
    stopCountdown();
    $("end-text").textContent = message.text;
    $("score").textContent = message.score;
    only("end");
  },
};

function connect() {
  clearTimeout(again);
  status("جارٍ الاتصال…");
  socket = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/live");
  socket.addEventListener("open", () => {
    retry = 500;
    status("");
    const token = localStorage.getItem(tokenKey);
    if (token) send({ t: "resume", token });
  });
  socket.addEventListener("message", (event) => {
    let message;
    try { message = JSON.parse(event.data); } catch { return; }
    const handler = handlers[message.t];
    if (handler) handler(message);
  });
  socket.addEventListener("close", () => {
    status("انقطع الاتصال… جارٍ إعادة الاتصال");
    again = setTimeout(connect, retry);
    retry = Math.min(retry * 2, 5000);
  });
}

function askNames() {
  if (!$("names").hidden) send({ t: "names", room: $("room").value });
}

// The class list asked for once the code looks whole.
$("room").addEventListener("change", askNames);
$("room").addEventListener("input", () => { if ($("room").value.trim().length >= 4) askNames(); });

$("join").addEventListener("submit", (event) => {
  event.preventDefault();
  const name = $("names").hidden ? $("name").value : $("names").value;
  send({ t: "join", room: $("room").value, name });
});

// A phone woken from sleep asks again at once rather than after a wait.
document.addEventListener("visibilitychange", () => {
  if (document.visibilityState === "visible" && socket && socket.readyState === WebSocket.CLOSED) connect();
});

connect();
